// A lock shared by the program's processes in every session and of every
// user: a named mutex in the global namespace (a print job started by the
// spooler and a user's set-up window meet on one settings file).
#pragma once

#include <chrono>
#include <memory>
#include <string>

namespace platform::win32 {

class SystemLock {
 public:
  virtual ~SystemLock() = default;  // releases the lock
};

// Waits at most `limit` until this thread holds the lock of that name
// ("Global\" + name); an abandoned one counts as held. Null when the time
// passed, or the lock cannot be made or opened (another program may hold
// it, or have made it so that it cannot be opened): the caller goes on
// without it. Everyone may take it, and nothing else: waiting for it and
// releasing it is all that its access list grants.
std::unique_ptr<SystemLock> AcquireSystemLock(const std::string& name,
                                              std::chrono::milliseconds limit);

}  // namespace platform::win32
