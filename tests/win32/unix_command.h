// Under Wine: Linux commands run from a Windows program, and path conversion
// between the two worlds. Wine starts a Linux program from CreateProcessA
// but hands back no process to wait for, so the command writes its exit
// code to a marker file when it ends and the caller polls for that file.
#pragma once

#include <chrono>
#include <optional>
#include <string>

namespace testing_support {

// True when running under Wine (its path conversion functions exist).
bool RunningUnderWine();

// The Linux path of a Windows path (the last component need not exist);
// nothing when Wine cannot map it or this is not Wine.
std::optional<std::string> UnixPath(const std::string& windowsPath);
// The Windows path of a Linux path; nothing when Wine cannot map it.
std::optional<std::string> WindowsPath(const std::string& unixPath);

// Quotes a word for the POSIX shell.
std::string UnixQuote(const std::string& word);

struct UnixCommandResult {
  bool started = false;   // the shell could be started
  bool finished = false;  // it ended within the time-out
  int exitCode = -1;      // the command's exit status when finished
  std::string output;     // standard output and standard error together
};

// Runs `/bin/sh -c command` and waits for it to end, at most `timeout`.
UnixCommandResult RunUnixCommand(const std::string& command,
                                 std::chrono::milliseconds timeout = std::chrono::seconds(120));

}  // namespace testing_support
