#include <dirent.h>
#include <fcntl.h>
#include <fnmatch.h>
#include <stdio.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <memory>

#include "platform/error.h"
#include "platform/posix/locked_file.h"
#include "platform/posix/posix_backends.h"
#include "platform/posix/private_folder.h"
#include "platform/posix/scoped_fd.h"
#include "platform/rules/path.h"

namespace platform::posix {

namespace {

bool IsFolder(const std::string& path) {
  struct stat info {};
  return ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

// Windows tells a missing file (2) from a missing folder (3).
int WindowsError(int error, const std::string& path) {
  switch (error) {
    case 0:
      return 0;
    case ENOENT: {
      if (path.empty()) return kErrorPathNotFound;
      std::string folder = path::FolderPart(path, path::Style::Posix);
      return IsFolder(folder.empty() ? "." : folder) ? kErrorFileNotFound : kErrorPathNotFound;
    }
    case ENOTDIR:
    case ENAMETOOLONG:
      return kErrorPathNotFound;
    case EACCES:
    case EPERM:
    case EISDIR:
    case EROFS:
      return kErrorAccessDenied;
    case EMFILE:
    case ENFILE:
      return kErrorTooManyOpenFiles;
    case ENOSPC:
    case EDQUOT:
      return kErrorDiskFull;
    default:
      return kErrorGenFailure;
  }
}

// Returns 0 or the errno of the failing write; a write that makes no
// progress counts as a full disk, as a short WriteFile does on Windows.
int WriteAll(int fd, const std::string& bytes) {
  size_t done = 0;
  while (done < bytes.size()) {
    ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return errno;
    if (n == 0) return ENOSPC;
    done += static_cast<size_t>(n);
  }
  return 0;
}

class PosixWritableFile : public WritableFile {
 public:
  PosixWritableFile(ScopedFd fd, std::string path) : fd_(std::move(fd)), path_(std::move(path)) {}

  int CopyFrom(const std::string& source) override {
    ScopedFd from(::open(source.c_str(), O_RDONLY | O_CLOEXEC));
    if (!from.IsValid()) return WindowsError(errno, source);
    if (::ftruncate(fd_.Get(), 0) != 0 || ::lseek(fd_.Get(), 0, SEEK_SET) != 0) {
      return WindowsError(errno, path_);
    }
    std::string piece(1 << 16, '\0');
    for (;;) {
      ssize_t n = ::read(from.Get(), piece.data(), piece.size());
      if (n < 0 && errno == EINTR) continue;
      if (n < 0) return WindowsError(errno, source);
      if (n == 0) break;
      if (int error = WriteAll(fd_.Get(), piece.substr(0, static_cast<size_t>(n)))) {
        return WindowsError(error, path_);
      }
    }
    return 0;
  }

 private:
  ScopedFd fd_;
  std::string path_;
};

// The lock file goes before the lock is let go, so that a waiter that
// opened it finds it gone and opens the new one.
class HeldLock : public FileLock {
 public:
  HeldLock(ScopedFd fd, std::string path) : fd_(std::move(fd)), path_(std::move(path)) {}
  ~HeldLock() override { ::unlink(path_.c_str()); }

 private:
  ScopedFd fd_;
  std::string path_;
};

class PosixFiles : public Files {
 public:
  bool FileExists(const std::string& path) override {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && !S_ISDIR(info.st_mode);
  }

  std::optional<FileStamp> Stamp(const std::string& path) override {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0 || S_ISDIR(info.st_mode)) return std::nullopt;
    return FileStamp{static_cast<uint64_t>(info.st_size),
                     static_cast<int64_t>(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec};
  }

  std::optional<std::vector<std::string>> ListFiles(const std::string& folder,
                                                    const std::string& pattern) override {
    // FileExists needs only the right to search the folder, reading it needs
    // more: refuse rather than list less than it would find.
    if (::faccessat(AT_FDCWD, folder.c_str(), X_OK, AT_EACCESS) != 0) return std::nullopt;
    std::unique_ptr<DIR, int (*)(DIR*)> dir(::opendir(folder.c_str()), &::closedir);
    if (!dir) return std::nullopt;
    std::vector<std::string> names;
    for (;;) {
      errno = 0;
      const dirent* entry = ::readdir(dir.get());
      if (!entry) break;
      if (entry->d_type == DT_DIR || ::fnmatch(pattern.c_str(), entry->d_name, 0) != 0) continue;
      // As FileExists: whatever is not a folder, through links.
      struct stat info {};
      if (entry->d_type == DT_REG ||
          (::fstatat(::dirfd(dir.get()), entry->d_name, &info, 0) == 0 && !S_ISDIR(info.st_mode))) {
        names.emplace_back(entry->d_name);
      }
    }
    if (errno != 0) return std::nullopt;
    return names;
  }

  int CreateEmptyFile(const std::string& path) override {
    ScopedFd fd(::open(path.c_str(), O_RDWR | O_CREAT | O_TRUNC | O_CLOEXEC, 0666));
    if (!fd.IsValid()) return WindowsError(errno, path);
    return WindowsError(fd.Close(), path);
  }

  bool DeleteFile(const std::string& path) override { return ::unlink(path.c_str()) == 0; }

  int AppendToFile(const std::string& path, const std::string& bytes) override {
    ScopedFd fd(::open(path.c_str(), O_WRONLY | O_APPEND | O_CLOEXEC));
    if (!fd.IsValid()) return WindowsError(errno, path);
    if (int error = WriteAll(fd.Get(), bytes)) return WindowsError(error, path);
    return WindowsError(fd.Close(), path);
  }

  bool ReadFile(const std::string& path, std::string& bytes) override {
    std::optional<std::string> all = ReadWholeFile(path);
    if (!all) return false;  // the caller's buffer stays as it was
    bytes = std::move(*all);
    return true;
  }

  bool ReadFileEnd(const std::string& path, size_t count, std::string& bytes) override {
    ScopedFd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    struct stat info {};
    if (!fd.IsValid() || ::fstat(fd.Get(), &info) != 0 || S_ISDIR(info.st_mode)) return false;
    const auto size = static_cast<size_t>(info.st_size);
    std::string end(std::min(count, size), '\0');
    size_t done = 0;
    while (done < end.size()) {
      ssize_t n = ::pread(fd.Get(), end.data() + done, end.size() - done,
                          static_cast<off_t>(size - end.size() + done));
      if (n < 0 && errno == EINTR) continue;
      if (n <= 0) return false;
      done += static_cast<size_t>(n);
    }
    bytes = std::move(end);
    return true;
  }

  bool ReadFileStart(const std::string& path, size_t count, std::string& bytes) override {
    ScopedFd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    struct stat info {};
    if (!fd.IsValid() || ::fstat(fd.Get(), &info) != 0 || S_ISDIR(info.st_mode)) return false;
    std::string start(count, '\0');
    size_t done = 0;
    while (done < count) {
      ssize_t n = ::read(fd.Get(), start.data() + done, count - done);
      if (n < 0 && errno == EINTR) continue;
      if (n < 0) return false;
      if (n == 0) break;
      done += static_cast<size_t>(n);
    }
    start.resize(done);
    bytes = std::move(start);
    return true;
  }

  int ReplaceFile(const std::string& from, const std::string& to) override {
    if (::rename(from.c_str(), to.c_str()) != 0) return WindowsError(errno, to);
    return 0;
  }

  int MoveToNewName(const std::string& from, const std::string& to) override {
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) return 0;
    if (errno != EINVAL && errno != ENOSYS) {
      return errno == EEXIST ? kErrorAlreadyExists : WindowsError(errno, to);
    }
    // A file system without it: a second name, which fails when one stands
    // there, then the first goes.
    if (::link(from.c_str(), to.c_str()) != 0) {
      return errno == EEXIST ? kErrorAlreadyExists : WindowsError(errno, to);
    }
    ::unlink(from.c_str());
    return 0;
  }

  std::unique_ptr<WritableFile> CreateForWriting(const std::string& path, CreateMode mode,
                                                 int& error) override {
    const int flags = O_WRONLY | O_CREAT | O_CLOEXEC | O_NOFOLLOW |
                      (mode == CreateMode::kReplace ? O_TRUNC : O_EXCL);
    ScopedFd fd(::open(path.c_str(), flags, 0666));
    if (!fd.IsValid()) {
      error = errno == EEXIST  ? kErrorFileExists
              : errno == ELOOP ? kErrorAccessDenied  // a link stands there
                               : WindowsError(errno, path);
      return nullptr;
    }
    error = 0;
    return std::make_unique<PosixWritableFile>(std::move(fd), path);
  }

  std::optional<std::string> CreateTemporaryFolder() override {
    std::string name;
    try {
      name = UserRuntimeFolder() + "/job-XXXXXX";
    } catch (const Error&) {
      return std::nullopt;
    }
    if (!::mkdtemp(name.data())) return std::nullopt;
    return name;
  }

  int CreateFolders(const std::string& folder, std::vector<std::string>* made) override {
    std::string path = path::RemoveTrailingDelimiter(folder, path::Style::Posix);
    if (path.empty()) return 0;
    struct stat info {};
    if (::stat(path.c_str(), &info) == 0) return S_ISDIR(info.st_mode) ? 0 : kErrorAlreadyExists;
    std::string parent = path::RemoveTrailingDelimiter(path::FolderPart(path, path::Style::Posix),
                                                       path::Style::Posix);
    if (!parent.empty() && parent != path) {
      if (int error = CreateFolders(parent, made)) return error;
    }
    if (::mkdir(path.c_str(), 0777) == 0) {
      if (made) made->push_back(path);
    } else if (errno != EEXIST) {
      return WindowsError(errno, path);
    }
    return IsFolder(path) ? 0 : kErrorAlreadyExists;
  }

  std::unique_ptr<FileLock> LockFile(const std::string& lockPath) override {
    for (;;) {
      ScopedFd fd(::open(lockPath.c_str(), O_RDONLY | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0666));
      if (!fd.IsValid()) return nullptr;
      while (::flock(fd.Get(), LOCK_EX) != 0) {
        if (errno != EINTR) return nullptr;
      }
      // The holder before removes the file as it lets go: a lock on a file
      // no longer at the path holds nothing.
      struct stat held {
      }, named{};
      if (::fstat(fd.Get(), &held) == 0 && ::stat(lockPath.c_str(), &named) == 0 &&
          held.st_dev == named.st_dev && held.st_ino == named.st_ino) {
        return std::make_unique<HeldLock>(std::move(fd), lockPath);
      }
    }
  }

  bool RemoveFolder(const std::string& folder) override { return ::rmdir(folder.c_str()) == 0; }

  bool RemoveFolderTree(const std::string& folder) override {
    ScopedFd fd(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
    if (!fd.IsValid()) return false;
    return RemoveContents(fd.Release()) && ::rmdir(folder.c_str()) == 0;
  }

 private:
  // Empties the folder open at `fd` (which the call takes over), going into
  // its folders by descriptor, never through a link.
  static bool RemoveContents(int fd) {
    DIR* listing = ::fdopendir(fd);
    if (!listing) {
      ::close(fd);
      return false;
    }
    bool all = true;
    while (const dirent* entry = ::readdir(listing)) {
      const std::string name = entry->d_name;
      if (name == "." || name == "..") continue;
      struct stat info {};
      if (::fstatat(::dirfd(listing), name.c_str(), &info, AT_SYMLINK_NOFOLLOW) != 0) {
        all = false;
      } else if (S_ISDIR(info.st_mode)) {
        int inner = ::openat(::dirfd(listing), name.c_str(),
                             O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
        all = inner >= 0 && RemoveContents(inner) &&
              ::unlinkat(::dirfd(listing), name.c_str(), AT_REMOVEDIR) == 0 && all;
      } else {
        all = ::unlinkat(::dirfd(listing), name.c_str(), 0) == 0 && all;
      }
    }
    ::closedir(listing);
    return all;
  }
};

}  // namespace

std::unique_ptr<Files> MakeFiles() { return std::make_unique<PosixFiles>(); }

}  // namespace platform::posix
