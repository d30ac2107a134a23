// A picture box: draws its model's picture unscaled at its top-left corner;
// the rest of the box shows the background its parent gives static
// controls (the page behind the group box).
#pragma once

#include "toolkit/win32/control_window.h"

namespace toolkit::win32 {

class PictureBoxWindow : public ControlWindow {
 public:
  using ControlWindow::ControlWindow;
  void Create(const Placement& placement) override;
  bool OnDrawItem(const DRAWITEMSTRUCT& item) override;
  void OnChange(Change change, int row) override;
};

}  // namespace toolkit::win32
