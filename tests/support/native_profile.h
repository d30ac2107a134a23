// The profile backend of this build, for tests that run against it: our own
// INI engine on POSIX, the system's private-profile functions on Windows.
#pragma once

#include <memory>
#include <string>

#include "platform/profile.h"

namespace testing_support {

std::unique_ptr<platform::Profile> MakeNativeProfileForTest();

// While it lives, the system refuses to change the file: a full disk on
// POSIX, the file held open without sharing on Windows. The file itself is
// not touched.
class NativeWriteRefusal {
 public:
  virtual ~NativeWriteRefusal() = default;
};
std::unique_ptr<NativeWriteRefusal> RefuseNativeWrites(const std::string& file);

}  // namespace testing_support
