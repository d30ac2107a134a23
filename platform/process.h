// Starting programs.
#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
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
  // With wait: the program ends with the caller, however the caller ends.
  // Windows: it and every program it starts are in a job object that ends
  // them when the caller's handle to it closes, as it does when the caller
  // is ended. POSIX: it is killed when the caller dies (PR_SET_PDEATHSIG);
  // and when the caller is asked to end while it waits (SIGTERM, SIGINT,
  // SIGHUP, SIGQUIT), it and its process group are ended first, and Launch
  // then raises ExitWithCode(128 + the signal) for the caller to clean up.
  bool endWithCaller = false;
  // The program's temporary folder (POSIX: TMPDIR; Windows: TEMP and TMP);
  // none: the caller's.
  std::optional<std::string> temporaryFolder = std::nullopt;
  // With wait: the calling thread's window messages are dispatched while it
  // waits, so the program's windows stay painted and answering (Windows:
  // MsgWaitForMultipleObjects); a WM_QUIT met meanwhile is posted again
  // after the wait. POSIX has no windows: a plain wait.
  bool dispatchMessages = false;
  // With wait and endWithCaller: the program's standard output (Windows:
  // and its error output) comes through a pipe, and each line, without its
  // line end, is given to onOutputLine as it comes.
  std::function<void(const std::string& line)> onOutputLine = nullptr;
  // With wait and endWithCaller: called every kTickInterval or so while
  // the program runs. Returning false ends it and every program it started,
  // as the limit does: kCancelled.
  std::function<bool()> onTick = nullptr;
  static constexpr std::chrono::milliseconds kTickInterval{100};
};

// How a launch ended.
class LaunchResult {
 public:
  enum class Ending {
    kExited,          // with exitCode
    kNotStarted,      // the program could not be started
    kStoppedAtLimit,  // ended at the wait limit (endAtLimit)
    kLeftRunning,     // still running when the wait ended (limit, or no wait possible)
    kStarted,         // started, not waited for
    kCancelled,       // ended because onTick said so
  };
  static LaunchResult Exited(uint32_t exitCode) { return {Ending::kExited, exitCode}; }
  static LaunchResult NotStarted() { return {Ending::kNotStarted}; }
  static LaunchResult StoppedAtLimit() { return {Ending::kStoppedAtLimit}; }
  static LaunchResult LeftRunning() { return {Ending::kLeftRunning}; }
  static LaunchResult Started() { return {Ending::kStarted}; }
  static LaunchResult Cancelled() { return {Ending::kCancelled}; }

  Ending ending() const { return ending_; }
  // The exit code of a program that exited; nothing otherwise.
  std::optional<uint32_t> ExitCode() const {
    return ending_ == Ending::kExited ? std::optional<uint32_t>(exitCode_) : std::nullopt;
  }
  // "ended with code N", "could not be started", "stopped at the time
  // limit", "was still running", "was started", "was cancelled".
  std::string Describe() const;
  bool operator==(const LaunchResult&) const = default;

 private:
  LaunchResult(Ending ending, uint32_t exitCode = 0) : ending_(ending), exitCode_(exitCode) {}
  Ending ending_;
  uint32_t exitCode_;
};

class Processes {
 public:
  virtual ~Processes() = default;
  // Starts a Windows-style command line (the program is its first word).
  // With options.wait: in a new console, waiting until it ends (or until
  // the limit). Without: does not wait (Windows: WinExec); kStarted once
  // started. POSIX: the words are split by the Windows rules and run with
  // posix_spawnp; there is no window.
  virtual LaunchResult Launch(const std::string& commandLine, const LaunchOptions& options) = 0;
};

}  // namespace platform
