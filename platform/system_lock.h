// A lock shared by the program's processes: every job of the user (on
// Windows, of the session) waits for the others.
#pragma once

#include <memory>
#include <string>

namespace platform {

class SystemLock {
 public:
  virtual ~SystemLock() = default;  // releases the lock
};

// Blocks until this process holds the lock of that name; the lock is held
// for the life of the returned object, which is never null. Windows: a named
// mutex (an abandoned one counts as held). POSIX: an flock on
// "<name>.lock" in the user's runtime folder ($XDG_RUNTIME_DIR), or in the
// user's private cache folder when there is none; the file is opened without
// following links and made with mode 0600, an existing file keeps its mode.
// A lock that cannot be taken raises platform::Error (kind "EOSError") with
// the reason and the lock's path or name: no caller goes on unlocked.
std::unique_ptr<SystemLock> AcquireSystemLock(const std::string& name);

}  // namespace platform
