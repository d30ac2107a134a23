#include "platform/registry.h"

#include "platform/error.h"

namespace platform {

namespace {
bool IsText(const RegistryValue& value) {
  return value.type == kRegSz || value.type == kRegExpandSz;
}
}  // namespace

std::string ReadRegistryString(RegistryKey& key, const std::string& name) {
  std::optional<RegistryValue> value = key.ReadValue(name);
  if (!value) return "";
  if (!IsText(*value)) throw ERegistryException(FormatMessage("Invalid data type for '%s'", name));
  return RegistryText(*value);
}

std::optional<std::string> ReadRegistryText(RegistryKey& key, const std::string& name) {
  std::optional<RegistryValue> value = key.ReadValue(name);
  if (!value || !IsText(*value)) return std::nullopt;
  return RegistryText(*value);
}

void RaiseSetDataFailed(const std::string& valueName) {
  throw ERegistryException(FormatMessage("Failed to set data for '%s'", valueName));
}

}  // namespace platform
