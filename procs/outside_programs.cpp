#include "procs/outside_programs.h"

#include "platform/native_conventions.h"
#include "platform/path.h"
#include "procs/response_file.h"

namespace procs {

namespace {
std::string Quoted(const std::string& text) { return "\"" + text + "\""; }
}  // namespace

std::string GhostscriptProgramName() { return platform::GhostscriptConsoleName(); }

std::string GhostscriptCommandLine(const std::string& ghostscriptFolder,
                                   const std::string& programName, const std::string& inputPath) {
  return Quoted(ghostscriptFolder + programName) + " @" +
         Quoted(ghostscriptFolder + kResponseFileName) + " " + Quoted(inputPath);
}

std::string RrSetCommandLine(const std::string& programFolder) {
  return Quoted(programFolder + "rr_set.exe") + " /s";
}

std::string PortArgumentsValue(const std::string& programPath, const std::string& portName) {
  return Quoted(programPath) + " " + Quoted("%1") + " " + Quoted(portName);
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
  return Quoted(systemFolder + "RegSvr32.exe") + options + " " +
         Quoted(programFolder + "morvane.dll");
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
