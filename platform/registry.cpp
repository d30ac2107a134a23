#include "platform/registry.h"

#include "platform/error.h"

namespace platform {

std::string ReadRegistryString(RegistryKey& key, const std::string& name) {
  std::optional<RegistryValue> value = key.ReadValue(name);
  if (!value) return "";
  if (value->type != kRegSz && value->type != kRegExpandSz) {
    throw ERegistryException(FormatMessage("Invalid data type for '%s'", name));
  }
  return RegistryText(*value);
}

}  // namespace platform
