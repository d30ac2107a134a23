#include "platform/win32/job_owner_window.h"
#include "platform/win32/win32_backends.h"
#include "platform/win32/windows_api.h"

namespace platform::win32 {

namespace {

class Win32MessageBoxes : public MessageBoxes {
 public:
  int Show(const std::string& text, const std::string& caption, uint32_t flags) override {
    HWND owner = nullptr;
    if (flags & kMbOwnedByJob) {
      owner = JobOwnerWindow();
      flags &= ~static_cast<uint32_t>(kMbOwnedByJob);
    }
    return ::MessageBoxA(owner, text.c_str(), caption.c_str(), flags);
  }
};

}  // namespace

std::unique_ptr<MessageBoxes> MakeMessageBoxes() { return std::make_unique<Win32MessageBoxes>(); }

}  // namespace platform::win32
