// The keyboard in a form, the toolkit's way: Tab and Shift+Tab visit the
// controls in the layout's tab order (siblings by tab order, containers
// entered in place, the active page only, only the checked radio button of
// a group); Escape does nothing; Enter presses a push button only while it
// has the focus, and is a line break in a memo. The arrow keys within a
// group are left to the system's dialog manager.
#pragma once

#include <vector>

#include "platform/win32/windows_api.h"
#include "toolkit/win32/form_window.h"

namespace toolkit::win32 {

class FocusManager {
 public:
  explicit FocusManager(FormWindow& form) : form_(form) {}

  // True when the message was a key of the form that is now handled.
  bool TranslateKey(const MSG& message);

 private:
  void MoveFocus(bool backwards);
  std::vector<HWND> TabOrder() const;
  void AddTabStops(const Control& container, std::vector<HWND>& order) const;

  FormWindow& form_;
};

}  // namespace toolkit::win32
