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

// Raises platform::Error (kind "EOSError"): what, and the system's error
// code.
[[noreturn]] void RaiseSystemError(const std::string& what);

// Registers a window class of the program's module with the button-face
// background; one already registered is kept.
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
