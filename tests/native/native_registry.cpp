#include "support/native_registry.h"

#include "platform/posix/posix_backends.h"

namespace testing_support {

std::unique_ptr<platform::Registry> MakeNativeRegistryForTest(const std::string& scratchDir) {
  return platform::posix::MakeRegistry(scratchDir + "/registry.reg");
}

bool NativeRegistryKeepsCreationOrder() { return true; }

}  // namespace testing_support
