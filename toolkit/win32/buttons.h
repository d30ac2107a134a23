// Push buttons, radio buttons and check boxes. A click becomes the model's
// click; the model's checked state becomes the button's.
#pragma once

#include "toolkit/win32/control_window.h"

namespace toolkit::win32 {

class PushButtonWindow : public ControlWindow {
 public:
  using ControlWindow::ControlWindow;
  void Create(const Placement& placement) override;
  void OnCommand(int code) override;
};

// A radio button or a check box: the model is a RadioButton or a CheckBox.
class CheckButtonWindow : public ControlWindow {
 public:
  using ControlWindow::ControlWindow;
  void Create(const Placement& placement) override;
  void OnCommand(int code) override;
  void OnChange(Change change, int row) override;

 private:
  bool Checked() const;
  void ShowChecked();
};

}  // namespace toolkit::win32
