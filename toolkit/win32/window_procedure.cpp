#include "toolkit/win32/window_procedure.h"

#include "toolkit/win32/exception_boundary.h"
#include "toolkit/win32/form_window.h"

namespace toolkit::win32 {

namespace {

// The object WM_NCCREATE brought, kept in GWLP_USERDATA until WM_NCDESTROY.
template <typename T>
T* Attached(HWND window, UINT message, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
    ::SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto* attached = reinterpret_cast<T*>(::GetWindowLongPtrA(window, GWLP_USERDATA));
  if (message == WM_NCDESTROY) ::SetWindowLongPtrA(window, GWLP_USERDATA, 0);
  return attached;
}

// The control a notification is for, unless the binding itself caused it.
ControlWindow* Recipient(const FormWindow& form, UINT_PTR id) {
  return form.Syncing() ? nullptr : form.WindowById(static_cast<int>(id));
}

LRESULT HandleFormMessage(FormWindow& form, HWND window, UINT message, WPARAM wParam,
                          LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      // IDOK and IDCANCEL come from Enter and Escape: there is no default
      // or cancel button.
      if (!lParam) return 0;
      if (ControlWindow* control = Recipient(form, LOWORD(wParam))) {
        control->OnCommand(HIWORD(wParam));
      }
      return 0;
    case WM_NOTIFY: {
      const auto& header = *reinterpret_cast<const NMHDR*>(lParam);
      if (ControlWindow* control = Recipient(form, header.idFrom)) control->OnNotify(header);
      return 0;
    }
    case WM_DRAWITEM: {
      const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
      ControlWindow* control = form.WindowById(static_cast<int>(item.CtlID));
      if (control && control->OnDrawItem(item)) return TRUE;
      break;
    }
    case WM_CLOSE:
      form.Model().RunEvent([&form] { form.Model().Close(); });
      return 0;
    case WM_DESTROY:
      form.Destroyed();
      break;
    default:
      break;
  }
  return ::DefWindowProcA(window, message, wParam, lParam);
}

LRESULT HandlePageMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_DRAWITEM:
      return ::SendMessageA(::GetParent(window), message, wParam, lParam);
    case WM_ERASEBKGND: {
      RECT client;
      ::GetClientRect(window, &client);
      ::FillRect(reinterpret_cast<HDC>(wParam), &client, ::GetSysColorBrush(COLOR_BTNFACE));
      return TRUE;
    }
    default:
      return ::DefWindowProcA(window, message, wParam, lParam);
  }
}

}  // namespace

LRESULT CALLBACK FormWindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* form = Attached<FormWindow>(window, message, lParam);
  if (!form) return ::DefWindowProcA(window, message, wParam, lParam);
  return Guarded(&form->Model(), 0,
                 [&] { return HandleFormMessage(*form, window, message, wParam, lParam); });
}

LRESULT CALLBACK PageWindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* form = Attached<Form>(window, message, lParam);
  return Guarded(form, 0, [&] { return HandlePageMessage(window, message, wParam, lParam); });
}

}  // namespace toolkit::win32
