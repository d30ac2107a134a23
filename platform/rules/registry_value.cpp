#include "platform/rules/registry_value.h"

namespace platform {

std::string RegistryText(const RegistryValue& value) {
  auto end = value.data.find('\0');
  return end == std::string::npos ? value.data : value.data.substr(0, end);
}

std::string DwordBytes(uint32_t value) {
  std::string bytes;
  for (int i = 0; i < 4; ++i) bytes.push_back(static_cast<char>(value >> (8 * i) & 0xFF));
  return bytes;
}

std::string RelativeRegistryPath(const std::string& path) {
  return !path.empty() && path[0] == '\\' ? path.substr(1) : path;
}

bool IsRootRegistryPath(const std::string& path) {
  return path.find_first_not_of('\\') == std::string::npos;
}

}  // namespace platform
