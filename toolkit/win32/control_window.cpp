#include "toolkit/win32/control_window.h"

#include <stdexcept>

#include "toolkit/win32/window_classes.h"

namespace toolkit::win32 {

std::string WindowText(HWND window) {
  int length = ::GetWindowTextLengthA(window);
  std::string text(length + 1, '\0');
  text.resize(::GetWindowTextA(window, text.data(), length + 1));
  return text;
}

Form& FormOf(Control& control) {
  Control* root = &control;
  while (root->Parent()) root = root->Parent();
  auto* form = As<Form>(root);
  if (!form) throw std::logic_error(control.Name() + " belongs to no form");
  return *form;
}

void ControlWindow::CreateControl(const char* className, DWORD style, DWORD exStyle,
                                  const Placement& placement, const std::string& text, HFONT font) {
  style |= WS_CHILD;
  if (placement.groupStart) style |= WS_GROUP;
  window_ = CreateChildWindow(exStyle, className, text, style, placement.bounds, placement.parent,
                              id_, model_.Name());
  ::SendMessageA(window_, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  if (!model_.Enabled()) ::EnableWindow(window_, FALSE);
}

void ControlWindow::RunEvent(const std::function<void()>& event) { FormOf(model_).RunEvent(event); }

void ControlWindow::OnChange(Change change, int) {
  switch (change) {
    case Change::kText:
      // The user's own typing comes back here; leave the caret alone then.
      if (ShownText() != model_.Text()) ShowText(model_.Text());
      ::InvalidateRect(window_, nullptr, TRUE);
      break;
    case Change::kEnabled:
      ::EnableWindow(window_, model_.Enabled());
      break;
    default:
      break;
  }
}

std::string ControlWindow::ShownText() const { return WindowText(window_); }

void ControlWindow::ShowText(const std::string& text) { ::SetWindowTextA(window_, text.c_str()); }

void ControlWindow::ShowAs(bool visible) { ::ShowWindow(window_, visible ? SW_SHOWNA : SW_HIDE); }

}  // namespace toolkit::win32
