// The window procedures of a form's own window classes: thin, they turn
// notifications into calls on the control windows, which make the model
// calls. No exception crosses them.
#pragma once

#include "platform/win32/windows_api.h"

namespace toolkit::win32 {

// The form's window; WM_NCCREATE brings its FormWindow.
LRESULT CALLBACK FormWindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// A page: passes its controls' notifications on to the form's window and
// paints the button face; WM_NCCREATE brings its Form.
LRESULT CALLBACK PageWindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace toolkit::win32
