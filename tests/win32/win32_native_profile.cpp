#include <fcntl.h>
#include <io.h>
#include <share.h>
#include <sys/stat.h>

#include "platform/win32/win32_backends.h"
#include "support/native_profile.h"

namespace testing_support {

std::unique_ptr<platform::Profile> MakeNativeProfileForTest() {
  return platform::win32::MakeProfile();
}

namespace {

// The file held open with no sharing, as by another program. (The read-only
// attribute would not do: Wine running as root writes such files anyway.)
class ExclusiveOpen : public NativeWriteRefusal {
 public:
  explicit ExclusiveOpen(const std::string& file) {
    if (::_sopen_s(&fd_, file.c_str(), _O_RDWR | _O_BINARY, _SH_DENYRW, _S_IREAD | _S_IWRITE) !=
        0) {
      fd_ = -1;
    }
  }
  ~ExclusiveOpen() override {
    if (fd_ >= 0) ::_close(fd_);
  }

 private:
  int fd_ = -1;
};

}  // namespace

std::unique_ptr<NativeWriteRefusal> RefuseNativeWrites(const std::string& file) {
  return std::make_unique<ExclusiveOpen>(file);
}

}  // namespace testing_support
