// Window classes and windows of the binding, every call checked: a failure
// raises platform::Error naming what could not be made.
#pragma once

#include <string>

#include "platform/win32/scoped_handle.h"
#include "platform/win32/windows_api.h"

namespace toolkit::win32 {

struct WindowTraits {
  using Handle = HWND;
  static Handle Invalid() { return nullptr; }
  static void Close(Handle h) { ::DestroyWindow(h); }
};
using ScopedWindow = platform::win32::ScopedHandle<WindowTraits>;

struct IconTraits {
  using Handle = HICON;
  static Handle Invalid() { return nullptr; }
  static void Close(Handle h) { ::DestroyIcon(h); }
};
using ScopedIcon = platform::win32::ScopedHandle<IconTraits>;

// The program's icon in its resource script.
inline constexpr int kProgramIconId = 1;

// The program's icon at the size of the system metrics given (SM_CXICON or
// SM_CXSMICON); null when the program has none (the test programs).
HICON LoadProgramIcon(int sizeMetric);

// Raises platform::Error (kind "EOSError"): what, and the system's error
// code.
[[noreturn]] void RaiseSystemError(const std::string& what);

// Registers a window class of the program's module with the button-face
// background and, withIcon, the program's icon (the system's application
// icon when it has none); one already registered is kept.
void RegisterWindowClass(const char* className, WNDPROC procedure, bool withIcon);

// CreateWindowExA in the program's module; `param` reaches WM_NCCREATE.
// `name` names the window in the error.
HWND CreateChildWindow(DWORD exStyle, const char* className, const std::string& text, DWORD style,
                       const RECT& bounds, HWND parent, int id, const std::string& name,
                       void* param = nullptr);

// A fixed dialog frame with a title bar and a close box around a client area
// of the given size, centred on the screen and not yet shown.
HWND CreateFormFrame(const char* className, const std::string& title, int clientWidth,
                     int clientHeight, const std::string& name, void* param);

}  // namespace toolkit::win32
