#include "toolkit/win32/speed_button.h"

#include "toolkit/win32/exception_boundary.h"

namespace toolkit::win32 {

void SpeedButtonWindow::Create(const Placement& placement) {
  form_ = &FormOf(Model());
  CreateControl("BUTTON", BS_PUSHBUTTON, 0, placement, Model().Text(), placement.font);
  ::SetWindowLongPtrA(Handle(), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  original_ = reinterpret_cast<WNDPROC>(
      ::SetWindowLongPtrA(Handle(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(Procedure)));
}

LRESULT CALLBACK SpeedButtonWindow::Procedure(HWND window, UINT message, WPARAM wParam,
                                              LPARAM lParam) {
  auto* self = reinterpret_cast<SpeedButtonWindow*>(::GetWindowLongPtrA(window, GWLP_USERDATA));
  return Guarded(self->form_, 0, [&] { return self->HandleMessage(message, wParam, lParam); });
}

LRESULT SpeedButtonWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  HWND window = Handle();
  POINT point{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
  RECT client;
  ::GetClientRect(window, &client);
  switch (message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      tracking_ = true;
      ::SetCapture(window);
      ::SendMessageA(window, BM_SETSTATE, TRUE, 0);
      return 0;
    case WM_MOUSEMOVE:
      if (tracking_) ::SendMessageA(window, BM_SETSTATE, ::PtInRect(&client, point), 0);
      return 0;
    case WM_LBUTTONUP:
      if (tracking_) {
        tracking_ = false;
        ::ReleaseCapture();
        ::SendMessageA(window, BM_SETSTATE, FALSE, 0);
        if (::PtInRect(&client, point)) {
          ::SendMessageA(::GetParent(window), WM_COMMAND, MAKEWPARAM(Id(), BN_CLICKED),
                         reinterpret_cast<LPARAM>(window));
        }
      }
      return 0;
    case WM_CAPTURECHANGED:
      if (tracking_) {
        tracking_ = false;
        ::SendMessageA(window, BM_SETSTATE, FALSE, 0);
      }
      return 0;
    case WM_SETFOCUS:  // not even by a program
      if (wParam) ::SetFocus(reinterpret_cast<HWND>(wParam));
      return 0;
    default:
      return ::CallWindowProcA(original_, window, message, wParam, lParam);
  }
}

}  // namespace toolkit::win32
