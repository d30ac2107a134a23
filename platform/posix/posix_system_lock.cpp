#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "platform/system_lock.h"

namespace platform {

namespace {

class FlockLock : public SystemLock {
 public:
  explicit FlockLock(int fd) : fd_(fd) {}
  ~FlockLock() override { close(fd_); }  // closing releases the flock

 private:
  int fd_;
};

}  // namespace

std::unique_ptr<SystemLock> AcquireSystemLock(const std::string& name) {
  std::string path = "/tmp/" + name + ".lock";
  int fd = open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
  if (fd < 0) return nullptr;
  fchmod(fd, 0666);  // other users' jobs share it
  while (flock(fd, LOCK_EX) != 0) {
    if (errno != EINTR) {
      close(fd);
      return nullptr;
    }
  }
  return std::make_unique<FlockLock>(fd);
}

}  // namespace platform
