// A group box: a frame with a caption. The controls it holds are its
// siblings on screen, placed relative to its frame.
#pragma once

#include "toolkit/win32/control_window.h"

namespace toolkit::win32 {

class GroupBoxWindow : public ControlWindow {
 public:
  using ControlWindow::ControlWindow;
  void Create(const Placement& placement) override {
    CreateControl("BUTTON", BS_GROUPBOX, 0, placement, Model().Text(), placement.font);
  }
};

}  // namespace toolkit::win32
