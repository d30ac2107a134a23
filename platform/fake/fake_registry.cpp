#include "platform/fake/fake_registry.h"

#include <algorithm>
#include <utility>

#include "platform/reg_file.h"

namespace platform::fake {

struct FakeRegistry::State {
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
  std::shared_ptr<State> view64;

  // The state that holds the view the access asks for; null for an absent
  // 64-bit view.
  static std::shared_ptr<State> ViewFor(const std::shared_ptr<State>& state, uint32_t access) {
    return access & kKeyWow64_64Key ? state->view64 : state;
  }

  bool Denied(const std::string& fullPath, uint32_t access) const {
    access &= ~static_cast<uint32_t>(kKeyWow64_32Key | kKeyWow64_64Key);
    if (readOnly && (access & ~static_cast<uint32_t>(kKeyRead)) != 0) return true;
    RegistryTree::Key* key = tree.Find(fullPath);
    return std::any_of(denials.begin(), denials.end(), [&](const Denial& denial) {
      return tree.Find(denial.path) == key && (!denial.access || *denial.access == access);
    });
  }

  bool WriteRefused(const std::string& name) const {
    return readOnly || std::any_of(failingNames.begin(), failingNames.end(),
                                   [&](const std::string& failing) { return SameRegistryName(failing, name); });
  }
};

namespace {

bool IsRoot(const std::string& path) { return path.find_first_not_of('\\') == std::string::npos; }

}  // namespace

class FakeKey : public RegistryKey {
 public:
  FakeKey(std::shared_ptr<FakeRegistry::State> state, std::string path)
      : state_(std::move(state)), path_(std::move(path)) {
    ++state_->openKeys;
  }
  ~FakeKey() override { --state_->openKeys; }

  std::vector<std::string> SubkeyNames() override {
    std::vector<std::string> names;
    if (const RegistryTree::Key* key = state_->tree.Find(LocalMachinePath(path_))) {
      for (const auto& subkey : key->subkeys) names.push_back(subkey->name);
    }
    return names;
  }

  std::optional<RegistryValue> ReadValue(const std::string& name) override {
    const RegistryTree::Key* key = state_->tree.Find(LocalMachinePath(path_));
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
  bool Write(const std::string& name, RegistryValue value) {
    RegistryTree::Key* key = state_->tree.Find(LocalMachinePath(path_));
    if (!key || state_->WriteRefused(name)) return false;
    key->SetValue(name, std::move(value));
    state_->written.push_back({path_, name});
    return true;
  }

  std::shared_ptr<FakeRegistry::State> state_;
  std::string path_;
};

FakeRegistry::FakeRegistry() : state_(std::make_shared<State>()) {
  state_->tree.Create("HKEY_LOCAL_MACHINE");
}

FakeRegistry::~FakeRegistry() = default;

std::unique_ptr<RegistryKey> FakeRegistry::OpenKey(const std::string& path, uint32_t access) {
  std::shared_ptr<State> state = State::ViewFor(state_, access);
  std::string full = LocalMachinePath(path);
  if (!state || !state->tree.Find(full) || state->Denied(full, access)) return nullptr;
  return std::make_unique<FakeKey>(state, RelativeRegistryPath(path));
}

std::unique_ptr<RegistryKey> FakeRegistry::CreateKey(const std::string& path, uint32_t access) {
  std::shared_ptr<State> state = State::ViewFor(state_, access);
  std::string full = LocalMachinePath(path);
  if (!state || state->readOnly || (state->tree.Find(full) && state->Denied(full, access))) {
    return nullptr;
  }
  state->tree.Create(full);
  return std::make_unique<FakeKey>(state, RelativeRegistryPath(path));
}

bool FakeRegistry::DeleteKeyTree(const std::string& path) {
  if (state_->readOnly || IsRoot(path)) return false;
  return state_->tree.Remove(LocalMachinePath(path));
}

void FakeRegistry::AddKey(const std::string& path) { state_->tree.Create(LocalMachinePath(path)); }

void FakeRegistry::SetValue(const std::string& path, const std::string& name, RegistryValue value) {
  state_->tree.Create(LocalMachinePath(path)).SetValue(name, std::move(value));
}

void FakeRegistry::SetString(const std::string& path, const std::string& name, const std::string& text) {
  SetValue(path, name, {kRegSz, text + '\0'});
}

void FakeRegistry::SetDword(const std::string& path, const std::string& name, uint32_t value) {
  SetValue(path, name, {kRegDword, DwordBytes(value)});
}

void FakeRegistry::DenyOpen(const std::string& path, std::optional<uint32_t> access) {
  state_->denials.push_back({LocalMachinePath(path), access});
}

void FakeRegistry::FailWritesOf(const std::string& valueName) { state_->failingNames.push_back(valueName); }

void FakeRegistry::SetReadOnly(bool readOnly) { state_->readOnly = readOnly; }

void FakeRegistry::Attach64BitView(const FakeRegistry& view) { state_->view64 = view.state_; }

bool FakeRegistry::HasKey(const std::string& path) const {
  return state_->tree.Find(LocalMachinePath(path)) != nullptr;
}

std::optional<RegistryValue> FakeRegistry::Value(const std::string& path, const std::string& name) const {
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

std::vector<FakeRegistry::WrittenValue> FakeRegistry::WrittenValues() const { return state_->written; }

int FakeRegistry::OpenKeyCount() const { return state_->openKeys; }

}  // namespace platform::fake
