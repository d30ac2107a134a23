// A lock shared by the program's processes in every session and of every
// user: a named mutex in the global namespace that everyone may wait for and
// release (a print job started by the spooler and a user's set-up window
// meet on one settings file).
#pragma once

#include <memory>
#include <string>

namespace platform::win32 {

class SystemLock {
 public:
  virtual ~SystemLock() = default;  // releases the lock
};

// Blocks until this thread holds the lock of that name ("Global\" + name);
// an abandoned one counts as held. Never null: a lock that cannot be taken
// raises platform::Error (kind "EOSError") with the name and the reason.
std::unique_ptr<SystemLock> AcquireSystemLock(const std::string& name);

}  // namespace platform::win32
