// A registry tree in memory: the top-level keys are the root keys by name
// ("HKEY_LOCAL_MACHINE", "HKEY_CURRENT_USER", ...). Key and value names match
// without regard to ASCII letter case but keep the case they were created
// with. Subkeys are kept and enumerated in creation order; values in the
// order they were first written. The value name "" is the key's default
// value.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "platform/rules/registry_value.h"

namespace platform {

// Hashing and equality of registry names without regard to ASCII case, for
// look-ups by any text form.
struct RegistryNameHash {
  using is_transparent = void;
  size_t operator()(std::string_view name) const;
};
struct RegistryNameEqual {
  using is_transparent = void;
  bool operator()(std::string_view a, std::string_view b) const;
};

class RegistryTree {
 public:
  struct Key {
    std::string name;
    // In enumeration order. Read them freely; change them only through the
    // functions below, which keep the look-up by name in step.
    std::vector<std::pair<std::string, RegistryValue>> values;
    std::vector<std::unique_ptr<Key>> subkeys;

    Key* Subkey(std::string_view subkeyName) const;
    // Finds or appends the subkey.
    Key& AddSubkey(std::string_view subkeyName);
    bool RemoveSubkey(std::string_view subkeyName);
    const RegistryValue* Value(std::string_view valueName) const;
    // Replaces the value in place, or appends it.
    void SetValue(std::string_view valueName, RegistryValue value);
    bool RemoveValue(std::string_view valueName);

   private:
    // Name to place in values, and name to subkey: look-ups and replacements
    // take constant time, so a large import stays linear.
    std::unordered_map<std::string, size_t, RegistryNameHash, RegistryNameEqual> valueIndex_;
    std::unordered_map<std::string, Key*, RegistryNameHash, RegistryNameEqual> subkeyIndex_;
  };

  RegistryTree() = default;
  RegistryTree(RegistryTree&&) = default;
  RegistryTree& operator=(RegistryTree&&) = default;

  // Paths run from a root key name, components separated by "\"; empty
  // components are skipped, so "" is the tree itself (the unnamed holder of
  // the root keys).
  Key* Find(std::string_view path) const;
  // Finds the key, creating it and any missing keys above it.
  Key& Create(std::string_view path);
  // Removes the key with everything below it. False when it is absent or
  // the path names the tree itself.
  bool Remove(std::string_view path);

  const Key& Top() const { return top_; }

 private:
  Key top_;
};

// "HKEY_LOCAL_MACHINE\" + path, with a leading "\" of path dropped.
std::string LocalMachinePath(const std::string& path);

// The components of a key path, separated by "\"; empty ones are skipped.
std::vector<std::string_view> SplitRegistryPath(std::string_view path);

// Case-insensitive (ASCII) equality of registry names.
bool SameRegistryName(std::string_view a, std::string_view b);

}  // namespace platform
