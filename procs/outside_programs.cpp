#include "procs/outside_programs.h"

#include "platform/rules/command_line.h"
#include "platform/rules/path.h"
#include "platform/rules/windows_command_line.h"
#include "platform/services.h"

namespace procs {

using platform::QuoteWindowsPath;

std::string RrSetCommandLine(const std::string& programFolder) {
  return QuoteWindowsPath(programFolder + "rr_set.exe") + " /s";
}

std::string PortArgumentsValue(const std::string& programPath, const std::string& portName) {
  using platform::QuoteArgument;
  return QuoteArgument(programPath) + " " + QuoteArgument("%1") + " " + QuoteArgument(portName);
}

std::string PortCommandValue(const std::string& programFolder) {
  return programFolder + "redrun.exe";
}

std::string PortLogFileNameValue(const std::string& programPath) {
  return platform::path::ChangeExtension(programPath, ".log");
}

namespace {
std::string RegSvr32CommandLine(const std::string& systemFolder, const std::string& options,
                                const std::string& programFolder) {
  return QuoteWindowsPath(systemFolder + "RegSvr32.exe") + options + " " +
         QuoteWindowsPath(programFolder + "morvane.dll");
}
}  // namespace

std::string UnregisterShellExtensionCommandLine(const std::string& systemFolder,
                                                const std::string& programFolder) {
  return RegSvr32CommandLine(systemFolder, " -u -s", programFolder);
}

std::string RegisterShellExtensionCommandLine(const std::string& systemFolder,
                                              const std::string& programFolder) {
  return RegSvr32CommandLine(systemFolder, "", programFolder);
}

platform::LaunchResult RunAndWait(const std::string& commandLine, uint16_t showMode,
                                  std::optional<std::chrono::seconds> limit) {
  platform::LaunchOptions options{.hidden = showMode == kSwHide, .wait = true};
  if (limit) {
    options.waitLimit = *limit;
    options.endAtLimit = true;
  }
  return platform::Current().processes->Launch(commandLine, options);
}

}  // namespace procs
