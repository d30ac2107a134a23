#include "platform/common/tree_registry.h"

#include <optional>
#include <utility>
#include <vector>

namespace platform {

namespace {

class TreeKey : public RegistryKey {
 public:
  TreeKey(std::shared_ptr<RegistryTreeStore> store, std::string path)
      : store_(std::move(store)), path_(std::move(path)), fullPath_(LocalMachinePath(path_)) {
    store_->KeyOpened();
  }
  ~TreeKey() override { store_->KeyClosed(); }

  std::vector<std::string> SubkeyNames() override {
    std::vector<std::string> names;
    store_->Read([&](const RegistryTree& tree) {
      if (const RegistryTree::Key* key = tree.Find(fullPath_)) {
        for (const auto& subkey : key->subkeys) names.push_back(subkey->name);
      }
    });
    return names;
  }

  std::optional<RegistryValue> ReadValue(const std::string& name) override {
    std::optional<RegistryValue> found;
    store_->Read([&](const RegistryTree& tree) {
      const RegistryTree::Key* key = tree.Find(fullPath_);
      if (const RegistryValue* value = key ? key->Value(name) : nullptr) found = *value;
    });
    return found;
  }

  bool WriteString(const std::string& name, const std::string& text) override {
    return Write(name, {kRegSz, text + '\0'});
  }

  bool WriteDword(const std::string& name, uint32_t value) override {
    return Write(name, {kRegDword, DwordBytes(value)});
  }

 private:
  bool Write(const std::string& name, RegistryValue value) {
    if (store_->RefusesWrite(name)) return false;
    bool written = store_->Update([&](RegistryTree& tree) {
      RegistryTree::Key* key = tree.Find(fullPath_);
      if (!key) return false;
      key->SetValue(name, std::move(value));
      return true;
    });
    if (written) store_->ValueWritten(path_, name);
    return written;
  }

  std::shared_ptr<RegistryTreeStore> store_;
  std::string path_;
  std::string fullPath_;
};

}  // namespace

TreeRegistry::TreeRegistry(std::shared_ptr<RegistryTreeStore> store,
                           std::shared_ptr<RegistryTreeStore> view64)
    : store_(std::move(store)), view64_(std::move(view64)) {}

std::shared_ptr<RegistryTreeStore> TreeRegistry::StoreFor(uint32_t access) const {
  return access & kKeyWow64_64Key ? view64_ : store_;
}

std::unique_ptr<RegistryKey> TreeRegistry::OpenKey(const std::string& path, uint32_t access) {
  std::shared_ptr<RegistryTreeStore> store = StoreFor(access);
  if (!store) return nullptr;
  std::string full = LocalMachinePath(path);
  bool open = false;
  store->Read([&](const RegistryTree& tree) {
    open = (IsRootRegistryPath(path) || tree.Find(full)) && !store->RefusesOpen(tree, full, access);
  });
  if (!open) return nullptr;
  return std::make_unique<TreeKey>(store, RelativeRegistryPath(path));
}

std::unique_ptr<RegistryKey> TreeRegistry::CreateKey(const std::string& path, uint32_t access) {
  std::shared_ptr<RegistryTreeStore> store = StoreFor(access);
  if (!store || store->RefusesCreate()) return nullptr;
  std::string full = LocalMachinePath(path);
  bool created = store->Update([&](RegistryTree& tree) {
    if (tree.Find(full) && store->RefusesOpen(tree, full, access)) return false;
    tree.Create(full);
    return true;
  });
  if (!created) return nullptr;
  return std::make_unique<TreeKey>(store, RelativeRegistryPath(path));
}

bool TreeRegistry::DeleteKeyTree(const std::string& path) {
  if (IsRootRegistryPath(path) || store_->RefusesDelete()) return false;
  std::string full = LocalMachinePath(path);
  // Looked up first, so that a failed delete does not leave a new empty store behind.
  bool present = false;
  store_->Read([&](const RegistryTree& tree) { present = tree.Find(full) != nullptr; });
  return present && store_->Update([&](RegistryTree& tree) { return tree.Remove(full); });
}

}  // namespace platform
