#include "platform/rules/registry_tree.h"

#include <algorithm>
#include <cstdint>

#include "platform/rules/ascii.h"

namespace platform {

std::vector<std::string_view> SplitRegistryPath(std::string_view path) {
  std::vector<std::string_view> parts;
  size_t start = 0;
  while (start <= path.size()) {
    size_t end = path.find('\\', start);
    if (end == std::string_view::npos) end = path.size();
    if (end > start) parts.push_back(path.substr(start, end - start));
    start = end + 1;
  }
  return parts;
}

bool SameRegistryName(std::string_view a, std::string_view b) {
  return ascii::EqualsIgnoringCase(a, b);
}

std::string LocalMachinePath(const std::string& path) {
  return "HKEY_LOCAL_MACHINE\\" + RelativeRegistryPath(path);
}

size_t RegistryNameHash::operator()(std::string_view name) const {
  uint64_t hash = 14695981039346656037ull;  // FNV-1a
  for (char c : name) {
    hash ^= static_cast<unsigned char>(ascii::ToLower(c));
    hash *= 1099511628211ull;
  }
  return static_cast<size_t>(hash);
}

bool RegistryNameEqual::operator()(std::string_view a, std::string_view b) const {
  return SameRegistryName(a, b);
}

RegistryTree::Key* RegistryTree::Key::Subkey(std::string_view subkeyName) const {
  auto it = subkeyIndex_.find(subkeyName);
  return it == subkeyIndex_.end() ? nullptr : it->second;
}

RegistryTree::Key& RegistryTree::Key::AddSubkey(std::string_view subkeyName) {
  if (Key* existing = Subkey(subkeyName)) return *existing;
  subkeys.push_back(std::make_unique<Key>());
  subkeys.back()->name = std::string(subkeyName);
  subkeyIndex_.emplace(subkeys.back()->name, subkeys.back().get());
  return *subkeys.back();
}

bool RegistryTree::Key::RemoveSubkey(std::string_view subkeyName) {
  auto it = subkeyIndex_.find(subkeyName);
  if (it == subkeyIndex_.end()) return false;
  Key* subkey = it->second;
  subkeyIndex_.erase(it);
  subkeys.erase(std::find_if(subkeys.begin(), subkeys.end(),
                             [&](const auto& each) { return each.get() == subkey; }));
  return true;
}

const RegistryValue* RegistryTree::Key::Value(std::string_view valueName) const {
  auto it = valueIndex_.find(valueName);
  return it == valueIndex_.end() ? nullptr : &values[it->second].second;
}

void RegistryTree::Key::SetValue(std::string_view valueName, RegistryValue value) {
  auto it = valueIndex_.find(valueName);
  if (it != valueIndex_.end()) {
    values[it->second].second = std::move(value);
    return;
  }
  values.emplace_back(std::string(valueName), std::move(value));
  valueIndex_.emplace(values.back().first, values.size() - 1);
}

bool RegistryTree::Key::RemoveValue(std::string_view valueName) {
  auto it = valueIndex_.find(valueName);
  if (it == valueIndex_.end()) return false;
  size_t place = it->second;
  valueIndex_.erase(it);
  values.erase(values.begin() + static_cast<std::ptrdiff_t>(place));
  for (size_t i = place; i < values.size(); ++i) valueIndex_.find(values[i].first)->second = i;
  return true;
}

RegistryTree::Key* RegistryTree::Find(std::string_view path) const {
  const Key* key = &top_;
  for (std::string_view part : SplitRegistryPath(path)) {
    key = key->Subkey(part);
    if (!key) return nullptr;
  }
  return const_cast<Key*>(key);
}

RegistryTree::Key& RegistryTree::Create(std::string_view path) {
  Key* key = &top_;
  for (std::string_view part : SplitRegistryPath(path)) key = &key->AddSubkey(part);
  return *key;
}

bool RegistryTree::Remove(std::string_view path) {
  std::vector<std::string_view> parts = SplitRegistryPath(path);
  if (parts.empty()) return false;
  Key* parent = &top_;
  for (size_t i = 0; i + 1 < parts.size(); ++i) {
    parent = parent->Subkey(parts[i]);
    if (!parent) return false;
  }
  return parent->RemoveSubkey(parts.back());
}

}  // namespace platform
