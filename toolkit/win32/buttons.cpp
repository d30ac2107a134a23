#include "toolkit/win32/buttons.h"

namespace toolkit::win32 {

void PushButtonWindow::Create(const Placement& placement) {
  CreateControl("BUTTON", WS_TABSTOP | BS_PUSHBUTTON, 0, placement, Model().Text(), placement.font);
}

void PushButtonWindow::OnCommand(int code) {
  if (code != BN_CLICKED) return;
  auto& button = static_cast<Button&>(Model());
  RunEvent([&button] { button.Click(); });
}

void CheckButtonWindow::Create(const Placement& placement) {
  DWORD type = Kind() == ControlKind::kRadioButton ? BS_RADIOBUTTON : BS_CHECKBOX;
  CreateControl("BUTTON", WS_TABSTOP | type, 0, placement, Model().Text(), placement.font);
  // For a radio button this also leaves WS_TABSTOP on the checked one only.
  ShowChecked();
}

void CheckButtonWindow::OnCommand(int code) {
  if (code != BN_CLICKED) return;
  if (auto* button = As<CheckableButton>(&Model())) RunEvent([button] { button->Click(); });
}

void CheckButtonWindow::OnChange(Change change, int row) {
  if (change == Change::kChecked) {
    ShowChecked();
  } else {
    ControlWindow::OnChange(change, row);
  }
}

bool CheckButtonWindow::Checked() const {
  const auto* button = As<CheckableButton>(&Model());
  return button && button->Checked();
}

void CheckButtonWindow::ShowChecked() {
  ::SendMessageA(Handle(), BM_SETCHECK, Checked() ? BST_CHECKED : BST_UNCHECKED, 0);
}

}  // namespace toolkit::win32
