// A drop-down list: choosing an item sets the model's item, which raises its
// change event; the model's item becomes the list's.
#pragma once

#include "toolkit/win32/control_window.h"

namespace toolkit::win32 {

class ComboBoxWindow : public ControlWindow {
 public:
  using ControlWindow::ControlWindow;
  void Create(const Placement& placement) override;
  void OnCommand(int code) override;
  void OnChange(Change change, int row) override;

 private:
  void ShowItem();
};

}  // namespace toolkit::win32
