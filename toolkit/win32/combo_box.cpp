#include "toolkit/win32/combo_box.h"

namespace toolkit::win32 {

namespace {
// The window's height holds the opened list too: its items, one a line.
constexpr int kItemHeight = 16;
}  // namespace

void ComboBoxWindow::Create(const Placement& placement) {
  const auto& combo = static_cast<ComboBox&>(Model());
  Placement opened = placement;
  opened.bounds.bottom += kItemHeight * (combo.ItemCount() + 1);
  CreateControl("COMBOBOX", WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST, 0, opened, "",
                placement.font);
  for (const char* item : combo.Layout().items) {
    ::SendMessageA(Handle(), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
  }
  ShowItem();
}

void ComboBoxWindow::OnCommand(int code) {
  if (code != CBN_SELCHANGE) return;
  auto& combo = static_cast<ComboBox&>(Model());
  const int index = static_cast<int>(::SendMessageA(Handle(), CB_GETCURSEL, 0, 0));
  RunEvent([&combo, index] { combo.SetItemIndex(index); });
}

void ComboBoxWindow::OnChange(Change change, int row) {
  if (change == Change::kItemIndex) {
    ShowItem();
  } else if (change != Change::kText) {
    ControlWindow::OnChange(change, row);
  }
}

void ComboBoxWindow::ShowItem() {
  ::SendMessageA(Handle(), CB_SETCURSEL,
                 static_cast<WPARAM>(static_cast<ComboBox&>(Model()).ItemIndex()), 0);
}

}  // namespace toolkit::win32
