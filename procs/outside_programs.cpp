#include "procs/outside_programs.h"

#include "platform/command_line.h"
#include "platform/native_conventions.h"
#include "platform/path.h"
#include "platform/windows_command_line.h"
#include "procs/response_file.h"

namespace procs {

using platform::QuoteWindowsPath;

std::string GhostscriptProgramName() { return platform::GhostscriptConsoleName(); }

std::string GhostscriptCommandLine(const std::string& ghostscriptFolder,
                                   const std::string& programName, const std::string& inputPath) {
  return QuoteWindowsPath(ghostscriptFolder + programName) + " @" +
         QuoteWindowsPath(ghostscriptFolder + kResponseFileName) + " " +
         QuoteWindowsPath(inputPath);
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

}  // namespace procs
