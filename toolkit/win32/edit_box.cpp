#include "toolkit/win32/edit_box.h"

namespace toolkit::win32 {

void EditBoxWindow::Create(const Placement& placement) {
  DWORD style = WS_TABSTOP;
  if (Kind() == ControlKind::kMemo) {
    style |= WS_VSCROLL | ES_MULTILINE | ES_WANTRETURN | ES_AUTOVSCROLL;
  } else {
    style |= ES_AUTOHSCROLL;
  }
  CreateControl("EDIT", style, WS_EX_CLIENTEDGE, placement, Model().Text(), placement.font);
  if (Kind() == ControlKind::kMemo) {
    ::SendMessageA(Handle(), EM_SETLIMITTEXT, static_cast<TextBox&>(Model()).Capacity(), 0);
  }
}

void EditBoxWindow::OnCommand(int code) {
  if (code != EN_CHANGE) return;
  auto& box = static_cast<TextBox&>(Model());
  std::string text = WindowText(Handle());
  RunEvent([&box, &text] { box.SetText(text); });
}

}  // namespace toolkit::win32
