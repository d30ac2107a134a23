#include "platform/posix/locked_file.h"

#include <errno.h>
#include <fcntl.h>
#include <limits.h>
#include <stdlib.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/posix/scoped_fd.h"

namespace platform::posix {

namespace {

bool ReadAll(int fd, std::string& bytes) {
  bytes.clear();
  char buffer[65536];
  for (;;) {
    ssize_t n = ::read(fd, buffer, sizeof buffer);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return false;
    if (n == 0) return true;
    bytes.append(buffer, static_cast<size_t>(n));
  }
}

bool WriteEverything(int fd, const std::string& bytes) {
  size_t done = 0;
  while (done < bytes.size()) {
    ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    done += static_cast<size_t>(n);
  }
  return true;
}

std::string FollowLinks(const std::string& path) {
  char resolved[PATH_MAX];
  struct stat info {};
  if (::lstat(path.c_str(), &info) == 0 && S_ISLNK(info.st_mode) &&
      ::realpath(path.c_str(), resolved) != nullptr) {
    return resolved;
  }
  return path;
}

// Writes content into a fresh file beside path and renames it over path.
bool Replace(const std::string& path, const std::string& content, const struct stat& old) {
  std::string temporary = path + ".XXXXXX";
  ScopedFd fd(::mkstemp(temporary.data()));
  if (!fd.IsValid()) return false;
  if (old.st_uid != ::geteuid() || old.st_gid != ::getegid()) {
    // Best effort: a user's file changed by root stays the user's.
    int ignored = ::fchown(fd.Get(), old.st_uid, old.st_gid);
    (void)ignored;
  }
  bool written = ::fchmod(fd.Get(), old.st_mode & 07777) == 0 &&
                 WriteEverything(fd.Get(), content) && ::fsync(fd.Get()) == 0;
  fd.Reset();
  if (!written || ::rename(temporary.c_str(), path.c_str()) != 0) {
    ::unlink(temporary.c_str());
    return false;
  }
  return true;
}

}  // namespace

std::optional<std::string> ReadWholeFile(const std::string& path, bool* missing) {
  if (missing) *missing = false;
  ScopedFd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
  if (!fd.IsValid()) {
    if (missing) *missing = errno == ENOENT;
    return std::nullopt;
  }
  std::string bytes;
  if (!ReadAll(fd.Get(), bytes)) return std::nullopt;
  return bytes;
}

bool UpdateFileLocked(const std::string& file,
                      const std::function<std::optional<std::string>(const std::string&)>& change) {
  std::string path = FollowLinks(file);
  ScopedFd fd;
  struct stat locked {};
  for (;;) {
    fd.Reset(::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644));
    if (!fd.IsValid()) return false;
    while (::flock(fd.Get(), LOCK_EX) != 0) {
      if (errno != EINTR) return false;
    }
    struct stat current {};
    if (::fstat(fd.Get(), &locked) != 0) return false;
    if (::stat(path.c_str(), &current) == 0 && current.st_dev == locked.st_dev &&
        current.st_ino == locked.st_ino) {
      break;
    }
  }
  std::string bytes;
  if (!ReadAll(fd.Get(), bytes)) return false;
  std::optional<std::string> changed = change(bytes);
  if (!changed) return false;
  if (*changed == bytes) return true;
  return Replace(path, *changed, locked);
}

}  // namespace platform::posix
