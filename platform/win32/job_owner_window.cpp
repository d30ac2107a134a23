#include "platform/win32/job_owner_window.h"

namespace platform::win32 {

HWND JobOwnerWindow() {
  static const HWND window = [] {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = ::DefWindowProcA;
    windowClass.hInstance = ::GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "PdfPrinterJobOwner";
    ::RegisterClassA(&windowClass);
    return ::CreateWindowExA(WS_EX_TOOLWINDOW, "PdfPrinterJobOwner", "PDF Printer", WS_POPUP, 0, 0,
                             0, 0, nullptr, nullptr, windowClass.hInstance, nullptr);
  }();
  return window;
}

}  // namespace platform::win32
