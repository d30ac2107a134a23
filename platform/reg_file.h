// A registry tree in memory, and its text form "Windows Registry Editor
// Version 5.00" (what regedit /e writes and regedit imports).
//
// The tree's top-level keys are the root keys by name ("HKEY_LOCAL_MACHINE",
// "HKEY_CURRENT_USER", ...). Key and value names match without regard to
// ASCII letter case but keep the case they were created with. Subkeys are
// kept, enumerated and written in creation order; values in the order they
// were first written. The value name "" is the key's default value ("@").
//
// Text values (REG_SZ, REG_EXPAND_SZ, REG_MULTI_SZ) are held as single-byte
// text with their zero terminator; in the file's hex forms they are UTF-16LE,
// converted byte for code unit (Latin-1), so a code unit above 0xFF reads
// as "?".
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "platform/registry.h"

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

// Case-insensitive (ASCII) equality of registry names.
bool SameRegistryName(std::string_view a, std::string_view b);

struct RegFileResult {
  // False when the text is not a registry export (its first line is not
  // "Windows Registry Editor Version 5.00"); the tree is then untouched. An
  // empty text counts as an export with nothing in it.
  bool recognized = false;
  // One entry per line or section that was skipped, "line N: reason". The
  // rest of the text is applied all the same.
  std::vector<std::string> problems;
};

// Applies an export to the tree as regedit imports it: "[key]" creates the
// key, "[-key]" removes it with its subkeys, "name"=data sets a value,
// "name"=- removes it. Lines may end in CR LF or LF; a UTF-16LE text with a
// byte-order mark is read too. What is skipped: a header without its "]" or
// with an unknown root (and the values under it, up to the next header), a
// value line outside a key, a value with malformed data (bad hex, bad dword,
// text after the closing quote), and any other line that is not a comment
// (";").
RegFileResult ImportRegFile(std::string_view text, RegistryTree& tree);

// The whole tree as an export: the header line, then every key in
// depth-first creation order, each followed by its values and an empty line.
// Lines end in CR LF; no byte-order mark. REG_SZ texts with exactly one zero
// at the end and no line breaks are written "quoted", REG_DWORD of 4 bytes
// as dword:, everything else in the hex forms, so every value reads back
// with the same type and bytes.
std::string ExportRegFile(const RegistryTree& tree);

// The text as regedit itself writes files: UTF-16LE with a byte-order mark.
// Give regedit this form: it reads the hex(2) and hex(7) bytes of a
// single-byte file as ANSI text, not as the UTF-16LE they are.
std::string Utf16RegFile(std::string_view text);

}  // namespace platform
