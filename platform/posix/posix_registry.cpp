// The registry as one text file in the regedit export format, shared by
// every process of the program.
//
// Reads and changes go through locked_file.h: reads see a whole file, and
// changes are locked and atomic.
//
// A store that is not a registry export (see ImportRegFile) or cannot be read
// reads as having no keys and is never overwritten. Lines of the store that
// were skipped as malformed are dropped at the next change.
#include <functional>
#include <optional>
#include <utility>

#include "platform/path.h"
#include "platform/posix/locked_file.h"
#include "platform/posix/posix_backends.h"
#include "platform/reg_file.h"

namespace platform::posix {

namespace {

class Store {
 public:
  explicit Store(std::string path) : path_(std::move(path)) {}

  // The store's content now; a missing file is an empty tree.
  std::optional<RegistryTree> Read() const {
    bool missing = false;
    std::optional<std::string> bytes = ReadWholeFile(path_, &missing);
    if (!bytes) return missing ? std::optional<RegistryTree>(RegistryTree()) : std::nullopt;
    return Parse(*bytes);
  }

  // Runs change on the current content under the lock and stores the
  // result. False when the store cannot be locked, read or replaced, or when
  // change returns false (then nothing is written).
  bool Update(const std::function<bool(RegistryTree&)>& change) {
    return UpdateFileLocked(path_, [&](const std::string& bytes) -> std::optional<std::string> {
      std::optional<RegistryTree> tree = Parse(bytes);
      if (!tree || !change(*tree)) return std::nullopt;
      return ExportRegFile(*tree);
    });
  }

 private:
  static std::optional<RegistryTree> Parse(const std::string& bytes) {
    RegistryTree tree;
    if (!ImportRegFile(bytes, tree).recognized) return std::nullopt;
    return tree;
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
    return Write(name, {kRegDword, DwordBytes(value)});
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

  std::unique_ptr<RegistryKey> OpenKey(const std::string& path, uint32_t access) override {
    if (access & kKeyWow64_64Key) return nullptr;  // one view only
    std::string full = LocalMachinePath(path);
    std::optional<RegistryTree> tree = store_->Read();
    if (!tree || (!tree->Find(full) && !IsRoot(path))) return nullptr;
    return std::make_unique<StoreKey>(store_, full);
  }

  std::unique_ptr<RegistryKey> CreateKey(const std::string& path, uint32_t access) override {
    if (access & kKeyWow64_64Key) return nullptr;
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
