// Starting programs.
#pragma once

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>

namespace platform {

// How a program is started.
struct LaunchOptions {
  // Its window hidden (Windows: SW_HIDE rather than SW_SHOW).
  bool hidden = false;
  // Block until the program ends.
  bool wait = false;
  // With wait: give up waiting after this long and leave the program
  // running. None: no limit.
  std::optional<std::chrono::milliseconds> waitLimit = std::nullopt;
  // With waitLimit: past the limit the program, and every program it
  // started, is ended instead of left running (Windows: a job object;
  // POSIX: its own process group).
  bool endAtLimit = false;
  // With wait: the calling thread's window messages are dispatched while it
  // waits, so the program's windows stay painted and answering (Windows:
  // MsgWaitForMultipleObjects); a WM_QUIT met meanwhile is posted again
  // after the wait. POSIX has no windows: a plain wait.
  bool dispatchMessages = false;
};

class Processes {
 public:
  virtual ~Processes() = default;
  // Starts a Windows-style command line (the program is its first word).
  // With options.wait: in a new console, waiting until it ends; returns its
  // exit code, or nothing when it cannot be started or the wait limit
  // passed. Without: does not wait (Windows: WinExec); returns 0 once
  // started, nothing when it cannot be started. POSIX: the words are split
  // by the Windows rules and run with posix_spawnp; there is no window.
  virtual std::optional<uint32_t> Launch(const std::string& commandLine,
                                         const LaunchOptions& options) = 0;
};

}  // namespace platform
