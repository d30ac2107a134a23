// A registry value as bytes, and the value types the program reads and writes.
#pragma once

#include <cstdint>
#include <string>

namespace platform {

enum : uint32_t {
  kRegSz = 1,
  kRegExpandSz = 2,
  kRegBinary = 3,
  kRegDword = 4,
  kRegMultiSz = 7,
};

struct RegistryValue {
  uint32_t type = 0;
  std::string data;  // raw bytes; text values include their terminating zero
};

// The text of a REG_SZ or REG_EXPAND_SZ value: the bytes up to the first
// zero byte (the stored terminator is not part of the text).
std::string RegistryText(const RegistryValue& value);

// The four little-endian bytes of a REG_DWORD value.
std::string DwordBytes(uint32_t value);

// Strips one leading "\" from a registry path.
std::string RelativeRegistryPath(const std::string& path);

// Whether the path ("" or only "\"s) names the root key itself.
bool IsRootRegistryPath(const std::string& path);

}  // namespace platform
