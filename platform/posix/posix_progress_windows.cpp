#include "platform/posix/posix_backends.h"

namespace platform::posix {

namespace {

// Linux has no window of the program's own: the work shows nothing.
class PosixProgressWindows : public ProgressWindows {
 public:
  std::unique_ptr<ProgressWindow> Open(const std::string&, const std::string&) override {
    return nullptr;
  }
};

}  // namespace

std::unique_ptr<ProgressWindows> MakeProgressWindows() {
  return std::make_unique<PosixProgressWindows>();
}

}  // namespace platform::posix
