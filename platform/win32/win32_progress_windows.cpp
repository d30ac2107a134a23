#include "platform/win32/code_page_conversion.h"
#include "platform/win32/job_owner_window.h"
#include "platform/win32/win32_backends.h"
#include "platform/win32/windows_api.h"

namespace platform::win32 {

namespace {

constexpr WCHAR kClassName[] = L"PdfPrinterProgress";
constexpr int kWidth = 360, kHeight = 140;
constexpr int kSubjectId = 101, kStatusId = 102;

// The window's procedure: "Cancel", Esc and the close box only mark the
// window; it goes with its object.
LRESULT CALLBACK ProgressProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* cancelled = reinterpret_cast<bool*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
  switch (message) {
    case WM_NCCREATE: {
      auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
      ::SetWindowLongPtrW(window, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(create->lpCreateParams));
      break;
    }
    case WM_COMMAND:
      if (LOWORD(wParam) == IDCANCEL && cancelled) *cancelled = true;
      return 0;
    case WM_CLOSE:
      if (cancelled) *cancelled = true;
      return 0;
  }
  return ::DefWindowProcW(window, message, wParam, lParam);
}

class Win32ProgressWindow : public ProgressWindow {
 public:
  Win32ProgressWindow(const std::string& caption, const std::string& subject) {
    static const ATOM registered = [] {
      WNDCLASSW windowClass{};
      windowClass.lpfnWndProc = ProgressProcedure;
      windowClass.hInstance = ::GetModuleHandleW(nullptr);
      windowClass.hCursor = ::LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
      windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
      windowClass.lpszClassName = kClassName;
      return ::RegisterClassW(&windowClass);
    }();
    if (!registered) return;
    RECT area{0, 0, 800, 600};
    ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
    const HINSTANCE instance = ::GetModuleHandleW(nullptr);
    window_ =
        ::CreateWindowExW(WS_EX_DLGMODALFRAME, kClassName, ProgramToWide(caption).c_str(),
                          WS_POPUP | WS_CAPTION | WS_SYSMENU, (area.left + area.right - kWidth) / 2,
                          (area.top + area.bottom - kHeight) / 2, kWidth, kHeight, JobOwnerWindow(),
                          nullptr, instance, &cancelled_);
    if (!window_) return;
    const auto font = reinterpret_cast<WPARAM>(::GetStockObject(DEFAULT_GUI_FONT));
    auto child = [&](const WCHAR* kind, const std::wstring& text, DWORD style, int id, int top,
                     int left, int width, int height) {
      HWND made = ::CreateWindowExW(
          0, kind, text.c_str(), WS_CHILD | WS_VISIBLE | style, left, top, width, height, window_,
          reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr);
      ::SendMessageW(made, WM_SETFONT, font, FALSE);
    };
    child(L"STATIC", ProgramToWide(subject), SS_LEFT | SS_NOPREFIX | SS_ENDELLIPSIS, kSubjectId, 12,
          12, kWidth - 30, 16);
    child(L"STATIC", L"", SS_LEFT | SS_NOPREFIX, kStatusId, 36, 12, kWidth - 30, 16);
    child(L"BUTTON", L"Cancel", BS_DEFPUSHBUTTON | WS_TABSTOP, IDCANCEL, 64, (kWidth - 6 - 80) / 2,
          80, 25);
  }
  ~Win32ProgressWindow() override {
    if (window_) ::DestroyWindow(window_);
  }

  void Update(const std::string& status, bool show) override {
    if (!window_) return;
    ::SetDlgItemTextW(window_, kStatusId, ProgramToWide(status).c_str());
    if (show && !::IsWindowVisible(window_)) {
      ::ShowWindow(window_, SW_SHOWNORMAL);
      ::SetForegroundWindow(window_);
    }
    // Unicode, like the window's own loop; what is for other windows of the
    // thread goes to them too.
    MSG message;
    while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      if (message.message == WM_QUIT) {
        ::PostQuitMessage(static_cast<int>(message.wParam));
        break;
      }
      if (::IsDialogMessageW(window_, &message)) continue;
      ::TranslateMessage(&message);
      ::DispatchMessageW(&message);
    }
  }

  bool CancelPressed() override { return cancelled_; }

 private:
  HWND window_ = nullptr;
  bool cancelled_ = false;
};

class Win32ProgressWindows : public ProgressWindows {
 public:
  std::unique_ptr<ProgressWindow> Open(const std::string& caption,
                                       const std::string& subject) override {
    return std::make_unique<Win32ProgressWindow>(caption, subject);
  }
};

}  // namespace

std::unique_ptr<ProgressWindows> MakeProgressWindows() {
  return std::make_unique<Win32ProgressWindows>();
}

}  // namespace platform::win32
