// The registry below HKEY_LOCAL_MACHINE. Paths are relative to that root; a
// leading "\" means "from the root" and is accepted (the Win32 functions
// themselves refuse it, so the backends strip it). Names match without regard
// to case. Keys are owned by the returned object and closed when it dies.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/rules/registry_value.h"

namespace platform {

enum : uint32_t {
  kKeyRead = 0x20019,
  kKeyAllAccess = 0xF003F,
  // Registry views, added to an access. The 32-bit view is the program's own
  // (it is a 32-bit program). The 64-bit view exists only on 64-bit Windows;
  // where the system has none (32-bit Windows, a 32-bit Wine prefix, the
  // POSIX store, a fake without one) opening or creating a key in it fails,
  // so a search of both views never reads the same keys twice.
  kKeyWow64_64Key = 0x0100,
  kKeyWow64_32Key = 0x0200,
};

class RegistryKey {
 public:
  virtual ~RegistryKey() = default;
  // Direct subkey names in the registry's enumeration order (index 0 up).
  virtual std::vector<std::string> SubkeyNames() = 0;
  // Nothing when the value is absent or cannot be read.
  virtual std::optional<RegistryValue> ReadValue(const std::string& name) = 0;
  // REG_SZ: the text and one zero byte. False when refused.
  virtual bool WriteString(const std::string& name, const std::string& text) = 0;
  // REG_DWORD: 4 bytes little-endian. False when refused.
  virtual bool WriteDword(const std::string& name, uint32_t value) = 0;
};

class Registry {
 public:
  virtual ~Registry() = default;
  // Opens an existing key with the access asked for; null on failure.
  virtual std::unique_ptr<RegistryKey> OpenKey(const std::string& path, uint32_t access) = 0;
  // Creates the key (non-volatile) or opens it if it exists; null on failure.
  virtual std::unique_ptr<RegistryKey> CreateKey(const std::string& path, uint32_t access) = 0;
  // Deletes the key with all its subkeys. False when it cannot be deleted.
  virtual bool DeleteKeyTree(const std::string& path) = 0;
};

// The text of a value read as text, as the registry classes read it: "" when
// the value is absent (or cannot be read); raises ERegistryException
// "Invalid data type for '<name>'" when it is neither REG_SZ nor
// REG_EXPAND_SZ.
std::string ReadRegistryString(RegistryKey& key, const std::string& name);

// The text of a REG_SZ or REG_EXPAND_SZ value; nothing when the value is
// absent, cannot be read, or is of another type.
std::optional<std::string> ReadRegistryText(RegistryKey& key, const std::string& name);

// Raises ERegistryException "Failed to set data for '<name>'", the registry
// classes' error for a value that cannot be written.
[[noreturn]] void RaiseSetDataFailed(const std::string& valueName);

}  // namespace platform
