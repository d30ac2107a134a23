#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "platform/posix/scoped_fd.h"
#include "platform/system_lock.h"

namespace platform {

namespace {

// Closing the descriptor releases the flock.
class FlockLock : public SystemLock {
 public:
  explicit FlockLock(posix::ScopedFd fd) : fd_(std::move(fd)) {}

 private:
  posix::ScopedFd fd_;
};

}  // namespace

std::unique_ptr<SystemLock> AcquireSystemLock(const std::string& name) {
  std::string path = "/tmp/" + name + ".lock";
  posix::ScopedFd fd(open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666));
  if (!fd.IsValid()) return nullptr;
  fchmod(fd.Get(), 0666);  // other users' jobs share it
  while (flock(fd.Get(), LOCK_EX) != 0) {
    if (errno != EINTR) return nullptr;
  }
  return std::make_unique<FlockLock>(std::move(fd));
}

}  // namespace platform
