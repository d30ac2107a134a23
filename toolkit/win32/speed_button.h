// A speed button: a push button that handles the mouse itself so that it
// never takes the keyboard focus, not even when a program gives it.
#pragma once

#include "toolkit/win32/buttons.h"

namespace toolkit::win32 {

class SpeedButtonWindow : public PushButtonWindow {
 public:
  using PushButtonWindow::PushButtonWindow;
  void Create(const Placement& placement) override;

 private:
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

  Form* form_ = nullptr;
  WNDPROC original_ = nullptr;
  bool tracking_ = false;
};

}  // namespace toolkit::win32
