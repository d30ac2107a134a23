// A single-line text box or a memo (multi-line, with a vertical scroll
// bar). Typing changes the model's text, which raises its change event.
#pragma once

#include "toolkit/win32/control_window.h"

namespace toolkit::win32 {

class EditBoxWindow : public ControlWindow {
 public:
  using ControlWindow::ControlWindow;
  void Create(const Placement& placement) override;
  void OnCommand(int code) override;
};

}  // namespace toolkit::win32
