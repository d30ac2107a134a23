// The one owner of a POSIX file descriptor: closed on every path, never
// copied.
#pragma once

#include <unistd.h>

#include <cerrno>
#include <utility>

namespace platform::posix {

class ScopedFd {
 public:
  explicit ScopedFd(int fd = -1) : fd_(fd) {}
  ~ScopedFd() { Reset(); }
  ScopedFd(ScopedFd&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}
  ScopedFd& operator=(ScopedFd&& other) noexcept {
    if (this != &other) Reset(std::exchange(other.fd_, -1));
    return *this;
  }
  ScopedFd(const ScopedFd&) = delete;
  ScopedFd& operator=(const ScopedFd&) = delete;

  bool IsValid() const { return fd_ >= 0; }
  int Get() const { return fd_; }
  void Reset(int fd = -1) {
    if (fd_ >= 0) ::close(fd_);
    fd_ = fd;
  }
  // Gives the descriptor up to the caller, who closes it.
  int Release() { return std::exchange(fd_, -1); }
  // Closes now, for callers that must know whether the close succeeded:
  // 0 or the errno of close.
  int Close() {
    int fd = std::exchange(fd_, -1);
    return fd < 0 || ::close(fd) == 0 ? 0 : errno;
  }

 private:
  int fd_;
};

}  // namespace platform::posix
