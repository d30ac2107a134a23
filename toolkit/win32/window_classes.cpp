#include "toolkit/win32/window_classes.h"

#include "platform/error.h"

namespace toolkit::win32 {

void RaiseSystemError(const std::string& what) {
  unsigned long code = ::GetLastError();
  throw platform::Error("EOSError", what + " (system error " + std::to_string(code) + ")");
}

void RegisterWindowClass(const char* className, WNDPROC procedure, bool withIcon) {
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = procedure;
  windowClass.hInstance = ::GetModuleHandleA(nullptr);
  windowClass.hCursor = ::LoadCursorA(nullptr, IDC_ARROW);
  if (withIcon) {
    windowClass.hIcon = ::LoadIconA(windowClass.hInstance, MAKEINTRESOURCEA(kProgramIconId));
    if (!windowClass.hIcon) windowClass.hIcon = ::LoadIconA(nullptr, IDI_APPLICATION);
  }
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  windowClass.lpszClassName = className;
  if (!::RegisterClassA(&windowClass) && ::GetLastError() != ERROR_CLASS_ALREADY_EXISTS) {
    RaiseSystemError(std::string("Cannot register the window class ") + className);
  }
}

HICON LoadProgramIcon(int sizeMetric) {
  int size = ::GetSystemMetrics(sizeMetric);
  return static_cast<HICON>(::LoadImageA(::GetModuleHandleA(nullptr),
                                         MAKEINTRESOURCEA(kProgramIconId), IMAGE_ICON, size, size,
                                         LR_DEFAULTCOLOR));
}

HWND CreateChildWindow(DWORD exStyle, const char* className, const std::string& text, DWORD style,
                       const RECT& bounds, HWND parent, int id, const std::string& name,
                       void* param) {
  HWND window = ::CreateWindowExA(exStyle, className, text.c_str(), style, bounds.left, bounds.top,
                                  bounds.right - bounds.left, bounds.bottom - bounds.top, parent,
                                  reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                  ::GetModuleHandleA(nullptr), param);
  if (!window) RaiseSystemError("Cannot create the window of " + name);
  return window;
}

HWND CreateFormFrame(const char* className, const std::string& title, int clientWidth,
                     int clientHeight, const std::string& name, void* param) {
  DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
  DWORD exStyle = WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE | WS_EX_CONTROLPARENT;
  RECT frame{0, 0, clientWidth, clientHeight};
  ::AdjustWindowRectEx(&frame, style, FALSE, exStyle);
  int width = frame.right - frame.left, height = frame.bottom - frame.top;
  int left = (::GetSystemMetrics(SM_CXSCREEN) - width) / 2;
  int top = (::GetSystemMetrics(SM_CYSCREEN) - height) / 2;
  HWND window = ::CreateWindowExA(exStyle, className, title.c_str(), style, left, top, width,
                                  height, nullptr, nullptr, ::GetModuleHandleA(nullptr), param);
  if (!window) RaiseSystemError("Cannot create the window of " + name);
  // The frame metrics of AdjustWindowRectEx can differ from the real ones.
  RECT client;
  ::GetClientRect(window, &client);
  int extraWidth = clientWidth - client.right, extraHeight = clientHeight - client.bottom;
  if (extraWidth || extraHeight) {
    width += extraWidth;
    height += extraHeight;
    ::SetWindowPos(window, nullptr, (::GetSystemMetrics(SM_CXSCREEN) - width) / 2,
                   (::GetSystemMetrics(SM_CYSCREEN) - height) / 2, width, height,
                   SWP_NOZORDER | SWP_NOACTIVATE);
  }
  return window;
}

}  // namespace toolkit::win32
