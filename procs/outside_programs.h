// Every command line and registry value the program hands to an outside
// program other than Ghostscript (procs/ghostscript/) is built here, so each has one definition and
// one exact text. Paths on a child's command line are quoted by the Windows rules
// (platform::QuoteWindowsPath), so each reaches the child whole, also one
// that ends in a backslash.
#pragma once

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>

#include "platform/process.h"

namespace procs {

// The monitor's set-up program, run before a port is created: the quoted
// path of "rr_set.exe" in the program folder (with delimiter), then " /s".
std::string RrSetCommandLine(const std::string& programFolder);

// The port key's "Arguments": the quoted program path, the quoted "%1" and
// the quoted port name, separated by blanks, quoted by the program's own
// rules (platform::QuoteArgument), which read them back. Unquoted, a path
// with a blank would let the system start another program ("C:\Program.exe")
// with the spooler's rights.
std::string PortArgumentsValue(const std::string& programPath, const std::string& portName);
// The port key's "Command": the program folder followed by "redrun.exe".
std::string PortCommandValue(const std::string& programFolder);
// The port key's "LogFileName": the program path with the extension ".log".
std::string PortLogFileNameValue(const std::string& programPath);

// The batch converter's shell extension, unregistered silently and
// registered: "RegSvr32.exe" in the system folder and "morvane.dll" in the
// program folder (both end in a delimiter), by full path and quoted, so that
// nothing in the current folder is run or loaded.
std::string UnregisterShellExtensionCommandLine(const std::string& systemFolder,
                                                const std::string& programFolder);
std::string RegisterShellExtensionCommandLine(const std::string& systemFolder,
                                              const std::string& programFolder);

// SW_HIDE: the only show mode that hides; any other shows the window.
constexpr uint16_t kSwHide = 0;

// Runs the command line with the show mode and waits for its end: with no
// time-out, or at most `limit`, past which the program and the programs it
// started are ended (kStoppedAtLimit).
platform::LaunchResult RunAndWait(const std::string& commandLine, uint16_t showMode,
                                  std::optional<std::chrono::seconds> limit = std::nullopt);

}  // namespace procs
