// The Win32 binding's entry: the form's window and its message loop.
#include "toolkit/run_window.h"

#include "toolkit/win32/focus.h"
#include "toolkit/win32/form_window.h"

namespace toolkit {

bool RunWindow(Form& form) {
  if (form.Closed()) return true;
  win32::FormWindow window(form);
  win32::FocusManager focus(window);
  window.Show();
  // However the window ends (the model closed it, or a message from another
  // program did), WM_QUIT follows. The loop is Unicode: an ANSI loop hands
  // the controls each typed character through the program's code page,
  // which has room for no more than two bytes of it.
  MSG message;
  while (::GetMessageW(&message, nullptr, 0, 0) > 0) {
    if (focus.TranslateKey(message)) continue;
    if (window.Handle() && ::IsDialogMessageW(window.Handle(), &message)) continue;
    ::TranslateMessage(&message);
    ::DispatchMessageW(&message);
  }
  return true;
}

}  // namespace toolkit
