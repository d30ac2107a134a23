// INI files read and changed by our own rules engine (ini_text.h).
//
// Reads take no lock: a file is only ever replaced by rename, so a reader
// sees the old content or the new one, never a half-written file. A change
// locks the file itself (flock, exclusive), reads it, writes the new content
// into a temporary file in the same folder and renames that over the file.
// A writer that waited may hold the lock of a file that has just been
// renamed away, so after locking it checks that the path still names the
// locked file and starts again if not; without that, concurrent updates of
// different keys could be lost. A path that is a symbolic link is followed,
// so the link stays a link.
//
// A change that cannot be completed returns false and leaves the file as it
// was. A change that would not alter the file writes nothing.
#include <errno.h>
#include <fcntl.h>
#include <limits.h>
#include <stdlib.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <functional>
#include <optional>
#include <utility>

#include "platform/ini_text.h"
#include "platform/posix/posix_backends.h"

namespace platform::posix {

namespace {

class ScopedFd {
 public:
  explicit ScopedFd(int fd = -1) : fd_(fd) {}
  ~ScopedFd() { Reset(); }
  ScopedFd(const ScopedFd&) = delete;
  ScopedFd& operator=(const ScopedFd&) = delete;
  int Get() const { return fd_; }
  bool IsValid() const { return fd_ >= 0; }
  void Reset(int fd = -1) {
    if (fd_ >= 0) ::close(fd_);
    fd_ = fd;
  }

 private:
  int fd_;
};

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

bool WriteAll(int fd, const std::string& bytes) {
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

// The file's bytes; "" when it does not exist or cannot be read.
std::string ReadText(const std::string& path) {
  std::string bytes;
  ScopedFd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
  if (!fd.IsValid() || !ReadAll(fd.Get(), bytes)) bytes.clear();
  return bytes;
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
  bool written = ::fchmod(fd.Get(), old.st_mode & 07777) == 0 && WriteAll(fd.Get(), content) &&
                 ::fsync(fd.Get()) == 0;
  fd.Reset();
  if (!written || ::rename(temporary.c_str(), path.c_str()) != 0) {
    ::unlink(temporary.c_str());
    return false;
  }
  return true;
}

// Runs change on the file's current bytes under the lock and stores the
// result. False when the file cannot be locked, read or replaced, or when
// change gives nullopt.
bool Update(const std::string& file,
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

class PosixProfile : public Profile {
 public:
  std::string ReadString(const std::string& file, const std::string& section,
                         const std::string& key, const std::string& defaultValue) override {
    return ReadIniValue(ReadText(file), section, key).value_or(defaultValue);
  }

  bool WriteString(const std::string& file, const std::string& section, const std::string& key,
                   const std::string& value) override {
    return Update(
        file, [&](const std::string& bytes) { return WriteIniValue(bytes, section, key, value); });
  }

  bool RemoveSection(const std::string& file, const std::string& section) override {
    struct stat info {};
    // Nothing to remove from a file that is not there; do not create it.
    if (::stat(file.c_str(), &info) != 0 && errno == ENOENT) return true;
    return Update(file, [&](const std::string& bytes) -> std::optional<std::string> {
      return RemoveIniSection(bytes, section);
    });
  }
};

}  // namespace

std::unique_ptr<Profile> MakeProfile() { return std::make_unique<PosixProfile>(); }

}  // namespace platform::posix
