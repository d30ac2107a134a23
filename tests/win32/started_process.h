// A Windows program a test starts and then watches. If the test ends while
// the program still runs (a window never answered), it is terminated.
#pragma once

#include <chrono>
#include <optional>
#include <string>

#include "platform/win32/scoped_handle.h"

namespace testing_support {

class StartedProcess {
 public:
  // Starts the command line (CreateProcessA, no console of its own
  // requested), on the desktop named ("station\\desktop"; "" for the test's
  // own); Started() tells whether it worked.
  explicit StartedProcess(const std::string& commandLine, const std::string& desktop = "");
  ~StartedProcess();
  StartedProcess(const StartedProcess&) = delete;
  StartedProcess& operator=(const StartedProcess&) = delete;

  bool Started() const { return process_.IsValid(); }
  DWORD Id() const { return id_; }
  HANDLE Handle() const { return process_.Get(); }
  bool Running() const;
  // The exit code once it has ended; nothing when it still runs after the
  // time-out.
  std::optional<DWORD> WaitForExit(std::chrono::milliseconds timeout);
  // Ends it with the given code and waits for the end.
  void Terminate(DWORD code);

 private:
  platform::win32::ScopedKernelHandle process_;
  DWORD id_ = 0;
};

// Imports a .reg file with the system's "regedit /s" and waits for it: its
// exit code, nothing when it did not start or end within the time-out.
std::optional<DWORD> ImportWithRegedit(const std::string& regFile);

}  // namespace testing_support
