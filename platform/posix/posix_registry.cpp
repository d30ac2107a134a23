// The registry as one text file in the regedit export format, shared by
// every process of the program.
//
// Reads take no lock: the file is only ever replaced by rename, so a reader
// sees the old content or the new one, never a half-written file. A change
// locks the store file itself (flock, exclusive), reads it, writes the new
// content into a temporary file in the same folder and renames that over the
// store. A waiting writer may get its lock on a file that has just been
// renamed away, so after locking it checks that the path still names the
// locked file and starts again if not; that is what keeps concurrent updates
// from being lost.
//
// A store that is not a registry export (see ImportRegFile) or cannot be read
// reads as having no keys and is never overwritten. Lines of the store that
// were skipped as malformed are dropped at the next change.
#include <errno.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <functional>
#include <optional>
#include <utility>

#include "platform/path.h"
#include "platform/posix/posix_backends.h"
#include "platform/reg_file.h"

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

class Store {
 public:
  explicit Store(std::string path) : path_(std::move(path)) {}

  // The store's content now; a missing file is an empty tree.
  std::optional<RegistryTree> Read() const {
    ScopedFd fd(::open(path_.c_str(), O_RDONLY | O_CLOEXEC));
    if (!fd.IsValid()) {
      if (errno == ENOENT) return RegistryTree();
      return std::nullopt;
    }
    std::string bytes;
    if (!ReadAll(fd.Get(), bytes)) return std::nullopt;
    return Parse(bytes);
  }

  // Runs change on the current content under the lock and stores the
  // result. False when the store cannot be locked, read or replaced, or when
  // change returns false (then nothing is written).
  bool Update(const std::function<bool(RegistryTree&)>& change) {
    ScopedFd fd;
    struct stat locked {};
    for (;;) {
      fd.Reset(::open(path_.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644));
      if (!fd.IsValid()) return false;
      while (::flock(fd.Get(), LOCK_EX) != 0) {
        if (errno != EINTR) return false;
      }
      struct stat current {};
      if (::fstat(fd.Get(), &locked) != 0) return false;
      if (::stat(path_.c_str(), &current) == 0 && current.st_dev == locked.st_dev &&
          current.st_ino == locked.st_ino) {
        break;
      }
    }
    std::string bytes;
    if (!ReadAll(fd.Get(), bytes)) return false;
    std::optional<RegistryTree> tree = Parse(bytes);
    if (!tree || !change(*tree)) return false;
    return Replace(ExportRegFile(*tree), locked.st_mode & 07777);
  }

 private:
  static std::optional<RegistryTree> Parse(const std::string& bytes) {
    RegistryTree tree;
    if (!ImportRegFile(bytes, tree).recognized) return std::nullopt;
    return tree;
  }

  bool Replace(const std::string& content, mode_t mode) {
    std::string temporary = path_ + ".XXXXXX";
    ScopedFd fd(::mkstemp(temporary.data()));
    if (!fd.IsValid()) return false;
    bool written = ::fchmod(fd.Get(), mode) == 0 && WriteAll(fd.Get(), content) &&
                   ::fsync(fd.Get()) == 0;
    fd.Reset();
    if (!written || ::rename(temporary.c_str(), path_.c_str()) != 0) {
      ::unlink(temporary.c_str());
      return false;
    }
    return true;
  }

  std::string path_;
};

class StoreKey : public RegistryKey {
 public:
  StoreKey(std::shared_ptr<Store> store, std::string path)
      : store_(std::move(store)), path_(std::move(path)) {}

  std::vector<std::string> SubkeyNames() override {
    std::vector<std::string> names;
    std::optional<RegistryTree> tree = store_->Read();
    if (!tree) return names;
    if (const RegistryTree::Key* key = tree->Find(path_)) {
      for (const auto& subkey : key->subkeys) names.push_back(subkey->name);
    }
    return names;
  }

  std::optional<RegistryValue> ReadValue(const std::string& name) override {
    std::optional<RegistryTree> tree = store_->Read();
    if (!tree) return std::nullopt;
    const RegistryTree::Key* key = tree->Find(path_);
    const RegistryValue* value = key ? key->Value(name) : nullptr;
    if (!value) return std::nullopt;
    return *value;
  }

  bool WriteString(const std::string& name, const std::string& text) override {
    return Write(name, {kRegSz, text + '\0'});
  }

  bool WriteDword(const std::string& name, uint32_t value) override {
    std::string bytes;
    for (int i = 0; i < 4; ++i) bytes.push_back(static_cast<char>(value >> (8 * i) & 0xFF));
    return Write(name, {kRegDword, bytes});
  }

 private:
  // A key deleted since it was opened takes no values, as on Windows.
  bool Write(const std::string& name, RegistryValue value) {
    return store_->Update([&](RegistryTree& tree) {
      RegistryTree::Key* key = tree.Find(path_);
      if (!key) return false;
      key->SetValue(name, std::move(value));
      return true;
    });
  }

  std::shared_ptr<Store> store_;
  std::string path_;
};

// "" or "\": HKEY_LOCAL_MACHINE itself, which always exists.
bool IsRoot(const std::string& path) { return path.find_first_not_of('\\') == std::string::npos; }

class StoreRegistry : public Registry {
 public:
  explicit StoreRegistry(std::string storePath)
      : store_(std::make_shared<Store>(std::move(storePath))) {}

  std::unique_ptr<RegistryKey> OpenKey(const std::string& path, uint32_t) override {
    std::string full = LocalMachinePath(path);
    std::optional<RegistryTree> tree = store_->Read();
    if (!tree || (!tree->Find(full) && !IsRoot(path))) return nullptr;
    return std::make_unique<StoreKey>(store_, full);
  }

  std::unique_ptr<RegistryKey> CreateKey(const std::string& path, uint32_t) override {
    std::string full = LocalMachinePath(path);
    bool created = store_->Update([&](RegistryTree& tree) {
      tree.Create(full);
      return true;
    });
    if (!created) return nullptr;
    return std::make_unique<StoreKey>(store_, full);
  }

  bool DeleteKeyTree(const std::string& path) override {
    if (IsRoot(path)) return false;
    std::string full = LocalMachinePath(path);
    // Checked first so that a failed delete does not leave a new empty store behind.
    std::optional<RegistryTree> tree = store_->Read();
    if (!tree || !tree->Find(full)) return false;
    return store_->Update([&](RegistryTree& current) { return current.Remove(full); });
  }

 private:
  std::shared_ptr<Store> store_;
};

}  // namespace

std::unique_ptr<Registry> MakeRegistry(std::string storePath) {
  return std::make_unique<StoreRegistry>(std::move(storePath));
}

std::string RegistryStorePath(const std::string& programPath) {
  return path::ChangeExtension(programPath, ".reg");
}

}  // namespace platform::posix
