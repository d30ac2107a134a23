#include "platform/win32/win32_backends.h"
#include "support/native_registry.h"

namespace testing_support {

// The system registry; the callers work below a key of their own.
std::unique_ptr<platform::Registry> MakeNativeRegistryForTest(const std::string&) {
  return platform::win32::MakeRegistry();
}

bool NativeRegistryKeepsCreationOrder() { return false; }

}  // namespace testing_support
