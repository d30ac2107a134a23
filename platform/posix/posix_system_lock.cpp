#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "platform/error.h"
#include "platform/posix/private_folder.h"
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

[[noreturn]] void Fail(const std::string& path, const std::string& why) {
  throw Error("EOSError", "Cannot take the lock " + path + ": " + why);
}

}  // namespace

std::unique_ptr<SystemLock> AcquireSystemLock(const std::string& name) {
  std::string path = posix::UserRuntimeFolder() + "/" + name + ".lock";
  posix::ScopedFd fd(open(path.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0600));
  if (!fd.IsValid()) Fail(path, posix::SystemReason(errno));
  struct stat st {};
  if (fstat(fd.Get(), &st) != 0) Fail(path, posix::SystemReason(errno));
  if (!S_ISREG(st.st_mode) || st.st_uid != geteuid()) {
    Fail(path, "it is not a file of the user's own");
  }
  while (flock(fd.Get(), LOCK_EX) != 0) {
    if (errno != EINTR) Fail(path, posix::SystemReason(errno));
  }
  return std::make_unique<FlockLock>(std::move(fd));
}

}  // namespace platform
