#include "platform/error.h"

namespace platform {

// noinline: the return address must belong to the code that raised the error.
__attribute__((noinline)) Error::Error(std::string kind, const std::string& message)
    : std::runtime_error(message),
      kind_(std::move(kind)),
      message_(message),
      address_(__builtin_extract_return_addr(__builtin_return_address(0))) {}

std::string FormatMessage(const std::string& pattern, const std::string& value) {
  std::string out = pattern;
  auto at = out.find("%s");
  if (at != std::string::npos) out.replace(at, 2, value);
  return out;
}

}  // namespace platform
