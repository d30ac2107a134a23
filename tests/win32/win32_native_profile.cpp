#include <filesystem>

#include "platform/win32/win32_backends.h"
#include "support/native_profile.h"

namespace testing_support {

std::unique_ptr<platform::Profile> MakeNativeProfileForTest() {
  return platform::win32::MakeProfile();
}

namespace {

namespace fs = std::filesystem;

// The runtime maps a file without write permission to the read-only attribute.
class ReadOnlyAttribute : public NativeWriteRefusal {
 public:
  explicit ReadOnlyAttribute(std::string file) : file_(std::move(file)) {
    fs::permissions(file_, fs::perms::owner_write, fs::perm_options::remove);
  }
  ~ReadOnlyAttribute() override {
    std::error_code ignored;
    fs::permissions(file_, fs::perms::owner_write, fs::perm_options::add, ignored);
  }

 private:
  std::string file_;
};

}  // namespace

std::unique_ptr<NativeWriteRefusal> RefuseNativeWrites(const std::string& file) {
  return std::make_unique<ReadOnlyAttribute>(file);
}

}  // namespace testing_support
