#include "procs/outside_programs.h"

#include "platform/rules/command_line.h"
#include "platform/rules/path.h"
#include "platform/rules/windows_command_line.h"
#include "platform/services.h"
#include "procs/response_file.h"

namespace procs {

using platform::QuoteWindowsPath;

std::string GhostscriptProgramName() { return GhostscriptProgramNames().front(); }

std::vector<std::string> GhostscriptProgramNames() {
  if (!platform::path::IsWindows(platform::path::Style::Native)) return {"gs"};
  return {"gswin32c.exe", "gswin64c.exe"};
}

std::string GhostscriptCommandLine(const std::string& ghostscriptFolder,
                                   const std::string& programName, const std::string& responseFile,
                                   const std::string& inputPath) {
  return QuoteWindowsPath(ghostscriptFolder + programName) + " @" +
         QuoteWindowsPath(responseFile) + " " + QuoteWindowsPath(inputPath);
}

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

std::optional<uint32_t> RunAndWait(const std::string& commandLine, uint16_t showMode,
                                   std::optional<std::chrono::seconds> limit) {
  platform::LaunchOptions options{.hidden = showMode == kSwHide, .wait = true};
  if (limit) {
    options.waitLimit = *limit;
    options.endAtLimit = true;
  }
  return platform::Current().processes->Launch(commandLine, options);
}

}  // namespace procs
