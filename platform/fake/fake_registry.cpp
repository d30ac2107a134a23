#include "platform/fake/fake_registry.h"

#include <algorithm>
#include <utility>

namespace platform::fake {

struct FakeRegistry::State : RegistryTreeStore {
  struct Denial {
    std::string path;
    std::optional<uint32_t> access;
  };

  RegistryTree tree;
  std::vector<Denial> denials;
  std::vector<std::string> failingNames;
  bool readOnly = false;
  std::vector<WrittenValue> written;
  int openKeys = 0;

  bool Read(const std::function<void(const RegistryTree&)>& look) override {
    look(tree);
    return true;
  }
  bool Update(const std::function<bool(RegistryTree&)>& change) override { return change(tree); }

  bool RefusesOpen(const RegistryTree&, const std::string& fullPath, uint32_t access) override {
    access &= ~static_cast<uint32_t>(kKeyWow64_32Key | kKeyWow64_64Key);
    if (readOnly && (access & ~static_cast<uint32_t>(kKeyRead)) != 0) return true;
    RegistryTree::Key* key = tree.Find(fullPath);
    return std::any_of(denials.begin(), denials.end(), [&](const Denial& denial) {
      return tree.Find(denial.path) == key && (!denial.access || *denial.access == access);
    });
  }
  bool RefusesCreate() override { return readOnly; }
  bool RefusesDelete() override { return readOnly; }
  bool RefusesWrite(const std::string& name) override {
    return readOnly ||
           std::any_of(failingNames.begin(), failingNames.end(),
                       [&](const std::string& failing) { return SameRegistryName(failing, name); });
  }

  void KeyOpened() override { ++openKeys; }
  void KeyClosed() override { --openKeys; }
  void ValueWritten(const std::string& keyPath, const std::string& name) override {
    written.push_back({keyPath, name});
  }
};

FakeRegistry::FakeRegistry() : TreeRegistry(std::make_shared<State>()) {
  state_ = std::static_pointer_cast<State>(Store());
  state_->tree.Create("HKEY_LOCAL_MACHINE");
}

FakeRegistry::~FakeRegistry() = default;

void FakeRegistry::AddKey(const std::string& path) { state_->tree.Create(LocalMachinePath(path)); }

void FakeRegistry::SetValue(const std::string& path, const std::string& name, RegistryValue value) {
  state_->tree.Create(LocalMachinePath(path)).SetValue(name, std::move(value));
}

void FakeRegistry::SetString(const std::string& path, const std::string& name,
                             const std::string& text) {
  SetValue(path, name, {kRegSz, text + '\0'});
}

void FakeRegistry::SetDword(const std::string& path, const std::string& name, uint32_t value) {
  SetValue(path, name, {kRegDword, DwordBytes(value)});
}

void FakeRegistry::DenyOpen(const std::string& path, std::optional<uint32_t> access) {
  state_->denials.push_back({LocalMachinePath(path), access});
}

void FakeRegistry::FailWritesOf(const std::string& valueName) {
  state_->failingNames.push_back(valueName);
}

void FakeRegistry::SetReadOnly(bool readOnly) { state_->readOnly = readOnly; }

void FakeRegistry::Attach64BitView(const FakeRegistry& view) { SetView64(view.state_); }

bool FakeRegistry::HasKey(const std::string& path) const {
  return state_->tree.Find(LocalMachinePath(path)) != nullptr;
}

std::optional<RegistryValue> FakeRegistry::Value(const std::string& path,
                                                 const std::string& name) const {
  const RegistryTree::Key* key = state_->tree.Find(LocalMachinePath(path));
  const RegistryValue* value = key ? key->Value(name) : nullptr;
  if (!value) return std::nullopt;
  return *value;
}

std::vector<std::string> FakeRegistry::SubkeyNames(const std::string& path) const {
  std::vector<std::string> names;
  if (const RegistryTree::Key* key = state_->tree.Find(LocalMachinePath(path))) {
    for (const auto& subkey : key->subkeys) names.push_back(subkey->name);
  }
  return names;
}

std::vector<FakeRegistry::WrittenValue> FakeRegistry::WrittenValues() const {
  return state_->written;
}

int FakeRegistry::OpenKeyCount() const { return state_->openKeys; }

}  // namespace platform::fake
