#include "support/native_profile.h"

#include <signal.h>
#include <sys/resource.h>

#include "platform/posix/posix_backends.h"

namespace testing_support {

std::unique_ptr<platform::Profile> MakeNativeProfileForTest() {
  return platform::posix::MakeProfile();
}

namespace {

// No file of this process may grow past 0 bytes, as on a full disk. The
// process-wide limit is fine: the tests run one at a time.
class FileSizeLimit : public NativeWriteRefusal {
 public:
  FileSizeLimit() {
    ::getrlimit(RLIMIT_FSIZE, &previous_);
    previousHandler_ = ::signal(SIGXFSZ, SIG_IGN);
    struct rlimit none = previous_;
    none.rlim_cur = 0;
    ::setrlimit(RLIMIT_FSIZE, &none);
  }
  ~FileSizeLimit() override {
    ::setrlimit(RLIMIT_FSIZE, &previous_);
    ::signal(SIGXFSZ, previousHandler_);
  }

 private:
  struct rlimit previous_ {};
  void (*previousHandler_)(int) = nullptr;
};

}  // namespace

std::unique_ptr<NativeWriteRefusal> RefuseNativeWrites(const std::string&) {
  return std::make_unique<FileSizeLimit>();
}

}  // namespace testing_support
