// The registry backend of this build, for tests that run against it: the
// POSIX file store (kept in scratchDir) or the system registry on Windows.
#pragma once

#include <memory>
#include <string>

#include "platform/registry.h"

namespace testing_support {

std::unique_ptr<platform::Registry> MakeNativeRegistryForTest(const std::string& scratchDir);

// True when subkeys enumerate in creation order. The Windows registry (and
// Wine's) enumerates them sorted by name instead.
bool NativeRegistryKeepsCreationOrder();

}  // namespace testing_support
