// A lock shared by every process of the program on the machine.
#pragma once

#include <memory>
#include <string>

namespace platform {

class SystemLock {
 public:
  virtual ~SystemLock() = default;  // releases the lock
};

// Blocks until this process holds the lock of that name; the lock is held
// for the life of the returned object. Windows: a named mutex (an abandoned
// one counts as acquired). POSIX: an flock on "/tmp/<name>.lock". Nothing
// when the lock cannot be made at all; callers then go on unlocked.
std::unique_ptr<SystemLock> AcquireSystemLock(const std::string& name);

}  // namespace platform
