#include "toolkit/win32/focus.h"

#include <algorithm>

namespace toolkit::win32 {

namespace {

bool IsFocusable(ControlKind kind) {
  switch (kind) {
    case ControlKind::kPageControl:
    case ControlKind::kEdit:
    case ControlKind::kMemo:
    case ControlKind::kButton:
    case ControlKind::kRadioButton:
    case ControlKind::kCheckBox:
    case ControlKind::kListView:
    case ControlKind::kComboBox:
      return true;
    default:
      return false;
  }
}

bool IsPushButton(ControlKind kind) {
  return kind == ControlKind::kButton || kind == ControlKind::kSpeedButton;
}

bool KeyDown(int key) { return ::GetKeyState(key) & 0x8000; }

}  // namespace

bool FocusManager::TranslateKey(const MSG& message) {
  if (message.message != WM_KEYDOWN && message.message != WM_CHAR) return false;
  HWND window = form_.Handle();
  if (!window || (message.hwnd != window && !::IsChild(window, message.hwnd))) return false;
  WPARAM key = message.wParam;
  bool isKeyDown = message.message == WM_KEYDOWN;
  if (isKeyDown && key == VK_TAB && !KeyDown(VK_CONTROL)) {
    MoveFocus(KeyDown(VK_SHIFT));
    return true;
  }
  if (isKeyDown && key == VK_ESCAPE) return true;  // Escape does not close the window
  if (isKeyDown && key == VK_RETURN) {
    HWND focus = ::GetFocus();
    ControlWindow* control = focus ? form_.WindowById(::GetDlgCtrlID(focus)) : nullptr;
    if (control && control->Handle() == focus && IsPushButton(control->Kind())) {
      auto& button = static_cast<Button&>(control->Model());
      form_.Model().RunEvent([&button] { button.Click(); });
      return true;
    }
    return !(control && control->Kind() == ControlKind::kMemo);
  }
  return false;
}

void FocusManager::MoveFocus(bool backwards) {
  auto order = TabOrder();
  if (order.empty()) return;
  HWND focus = ::GetFocus();
  auto at = std::find(order.begin(), order.end(), focus);
  size_t index = at == order.end() ? (backwards ? 0 : order.size() - 1) : at - order.begin();
  index = backwards ? (index + order.size() - 1) % order.size() : (index + 1) % order.size();
  ::SetFocus(order[index]);
  if (::SendMessageA(order[index], WM_GETDLGCODE, 0, 0) & DLGC_HASSETSEL) {
    ::SendMessageA(order[index], EM_SETSEL, 0, -1);
  }
}

std::vector<HWND> FocusManager::TabOrder() const {
  std::vector<HWND> order;
  AddTabStops(form_.Model(), order);
  return order;
}

void FocusManager::AddTabStops(const Control& container, std::vector<HWND>& order) const {
  std::vector<const Control*> children;
  if (auto* pages = As<PageControl>(&container)) {
    int active = pages->ActivePageIndex();
    if (active < static_cast<int>(pages->Children().size())) {
      children.push_back(pages->Children()[active]);
    }
  } else {
    for (const Control* child : container.Children()) {
      if (child->Layout().tabOrder != kNoTabStop) children.push_back(child);
    }
    std::stable_sort(children.begin(), children.end(), [](const Control* a, const Control* b) {
      return a->Layout().tabOrder < b->Layout().tabOrder;
    });
  }
  for (const Control* child : children) {
    ControlWindow* window = form_.WindowOf(*child);
    if (!window || !window->Handle()) continue;
    HWND handle = window->Handle();
    bool usable = ::IsWindowVisible(handle) && ::IsWindowEnabled(handle);
    // The button control keeps WS_TABSTOP only on the checked radio button.
    if (window->Kind() == ControlKind::kRadioButton) {
      usable = usable && (::GetWindowLongA(handle, GWL_STYLE) & WS_TABSTOP);
    }
    if (window->Kind() == ControlKind::kTabSheet) usable = ::IsWindowVisible(handle);
    if (!usable) continue;
    if (IsFocusable(window->Kind())) order.push_back(handle);
    if (!child->Children().empty()) AddTabStops(*child, order);
  }
}

}  // namespace toolkit::win32
