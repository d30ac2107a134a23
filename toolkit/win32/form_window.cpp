#include "toolkit/win32/form_window.h"

#include "toolkit/win32/buttons.h"
#include "toolkit/win32/combo_box.h"
#include "toolkit/win32/control_ids.h"
#include "toolkit/win32/edit_box.h"
#include "toolkit/win32/fonts.h"
#include "toolkit/win32/group_box.h"
#include "toolkit/win32/label.h"
#include "toolkit/win32/list_view.h"
#include "toolkit/win32/picture_box.h"
#include "toolkit/win32/speed_button.h"
#include "toolkit/win32/symbol_mark.h"
#include "toolkit/win32/tab_pages.h"
#include "toolkit/win32/window_procedure.h"

namespace toolkit::win32 {

namespace {

class SyncScope {
 public:
  explicit SyncScope(int& depth) : depth_(depth) { ++depth_; }
  ~SyncScope() { --depth_; }
  SyncScope(const SyncScope&) = delete;
  SyncScope& operator=(const SyncScope&) = delete;

 private:
  int& depth_;
};

std::unique_ptr<ControlWindow> MakeControlWindow(Component& component, int id) {
  auto* control = As<Control>(&component);
  if (!control) return nullptr;  // not visible: dialogs, image lists
  switch (component.Kind()) {
    case ControlKind::kPageControl:
      return std::make_unique<TabPagesWindow>(*control, id);
    case ControlKind::kTabSheet:
      return std::make_unique<TabPageWindow>(*control, id);
    case ControlKind::kGroupBox:
      return std::make_unique<GroupBoxWindow>(*control, id);
    case ControlKind::kLabel:
      if (component.Layout().mark.cross && component.Layout().mark.check) {
        return std::make_unique<SymbolMarkWindow>(*control, id);
      }
      return std::make_unique<LabelWindow>(*control, id);
    case ControlKind::kEdit:
    case ControlKind::kMemo:
      return std::make_unique<EditBoxWindow>(*control, id);
    case ControlKind::kButton:
      return std::make_unique<PushButtonWindow>(*control, id);
    case ControlKind::kSpeedButton:
      return std::make_unique<SpeedButtonWindow>(*control, id);
    case ControlKind::kRadioButton:
    case ControlKind::kCheckBox:
      return std::make_unique<CheckButtonWindow>(*control, id);
    case ControlKind::kListView:
      return std::make_unique<ListViewWindow>(*control, id);
    case ControlKind::kComboBox:
      return std::make_unique<ComboBoxWindow>(*control, id);
    case ControlKind::kImage:
      return std::make_unique<PictureBoxWindow>(*control, id);
    case ControlKind::kForm:
    case ControlKind::kOpenDialog:
    case ControlKind::kImageList:
      break;
  }
  return nullptr;
}

// Pages first (the controls go on them), group boxes last (below the
// controls they frame).
int CreationRound(ControlKind kind) {
  if (kind == ControlKind::kPageControl || kind == ControlKind::kTabSheet) return 0;
  return kind == ControlKind::kGroupBox ? 2 : 1;
}

// Hidden when it or a container up to its page is hidden; the page control
// shows and hides pages.
bool EffectivelyVisible(const Control& control) {
  for (const Control* at = &control; at && at->Parent(); at = at->Parent()) {
    if (at->Kind() == ControlKind::kTabSheet) return true;
    if (!at->Visible()) return false;
  }
  return true;
}

}  // namespace

FormWindow::FormWindow(Form& form) : form_(form) {
  SyncScope creating(syncing_);
  INITCOMMONCONTROLSEX common{sizeof common, ICC_TAB_CLASSES | ICC_LISTVIEW_CLASSES};
  ::InitCommonControlsEx(&common);
  const ControlLayout& layout = form.Layout();
  font_.Reset(MakeFont(layout.fontName, layout.fontHeight, DEFAULT_CHARSET));
  RegisterWindowClass(kFormClass, FormWindowProcedure, true);
  RegisterWindowClass(kPageClass, PageWindowProcedure, false);
  window_.Reset(
      CreateFormFrame(kFormClass, form.Text(), layout.width, layout.height, form.Name(), this));
  smallIcon_.Reset(LoadProgramIcon(SM_CXSMICON));
  bigIcon_.Reset(LoadProgramIcon(SM_CXICON));
  if (smallIcon_.IsValid()) {
    ::SendMessageA(window_.Get(), WM_SETICON, ICON_SMALL,
                   reinterpret_cast<LPARAM>(smallIcon_.Get()));
  }
  if (bigIcon_.IsValid()) {
    ::SendMessageA(window_.Get(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(bigIcon_.Get()));
  }
  try {
    CreateControls();
  } catch (...) {
    // The window goes with this half-made object: let it go quietly.
    ::SetWindowLongPtrA(window_.Get(), GWLP_USERDATA, 0);
    throw;
  }
  Observe(true);
  for (auto& control : controls_) {
    if (control) control->Ready();
  }
}

FormWindow::~FormWindow() {
  Observe(false);
  quitWhenDestroyed_ = false;
  ++syncing_;
  window_.Reset();
}

void FormWindow::Show() {
  quitWhenDestroyed_ = true;
  ::ShowWindow(window_.Get(), SW_SHOW);
  // The focus the program gave before the window was there.
  if (Control* active = form_.ActiveControl()) MoveFocus(*active);
  ::UpdateWindow(window_.Get());
}

void FormWindow::Destroyed() {
  window_.Release();
  if (quitWhenDestroyed_) ::PostQuitMessage(0);
}

ControlWindow* FormWindow::WindowById(int id) const {
  size_t index = static_cast<size_t>(id - kFirstControlId);
  return id >= kFirstControlId && index < controls_.size() ? controls_[index].get() : nullptr;
}

ControlWindow* FormWindow::WindowOf(const Component& component) const {
  for (const auto& control : controls_) {
    if (control && &control->Model() == &component) return control.get();
  }
  return nullptr;
}

void FormWindow::CreateControls() {
  const auto& components = form_.Components();
  for (size_t i = 0; i < components.size(); ++i) {
    controls_.push_back(MakeControlWindow(*components[i], kFirstControlId + static_cast<int>(i)));
  }
  for (int round : {0, 1, 2}) {
    for (size_t i = 0; i < controls_.size(); ++i) {
      ControlWindow* control = controls_[i].get();
      if (!control || CreationRound(control->Kind()) != round) continue;
      control->Create(PlacementOf(i));
      control->ShowAs(EffectivelyVisible(control->Model()));
    }
  }
}

// Group boxes and page controls are drawn on the window of their parent, so
// a control's parent window is its page's or the form's, and group boxes on
// the way add their offsets.
Placement FormWindow::PlacementOf(size_t index) {
  const auto& components = form_.Components();
  const Control& control = controls_[index]->Model();
  Placement placement;
  placement.font = static_cast<HFONT>(font_.Get());
  placement.owner = control.Parent() ? WindowOf(*control.Parent()) : nullptr;
  POINT origin{0, 0};
  const Control* at = control.Parent();
  for (; at && at->Kind() == ControlKind::kGroupBox; at = at->Parent()) {
    origin.x += at->Layout().left;
    origin.y += at->Layout().top;
  }
  placement.parent = window_.Get();
  for (; at; at = at->Parent()) {
    ControlWindow* page = at->Kind() == ControlKind::kTabSheet ? WindowOf(*at) : nullptr;
    if (page) {
      placement.parent = page->Handle();
      break;
    }
  }
  const ControlLayout& layout = control.Layout();
  placement.bounds = {origin.x + layout.left, origin.y + layout.top,
                      origin.x + layout.left + layout.width, origin.y + layout.top + layout.height};
  // Arrow keys move within a run of radio buttons only.
  placement.groupStart = !(layout.kind == ControlKind::kRadioButton && index > 0 &&
                           components[index - 1]->Kind() == ControlKind::kRadioButton);
  return placement;
}

void FormWindow::Observe(bool on) {
  ChangeObserver observer;
  if (on) {
    observer = [this](Control& control, Change change, int row) {
      OnModelChange(control, change, row);
    };
  }
  form_.SetObserver(observer);
  for (auto& control : controls_) {
    if (control) control->Model().SetObserver(observer);
  }
  std::function<void(Control&)> focus;
  if (on) focus = [this](Control& control) { MoveFocus(control); };
  form_.SetFocusObserver(focus);
}

void FormWindow::MoveFocus(Control& control) {
  ControlWindow* window = WindowOf(control);
  if (window && window->Handle()) ::SetFocus(window->Handle());
}

void FormWindow::OnModelChange(Control& control, Change change, int row) {
  if (change == Change::kClosed) {
    ::DestroyWindow(window_.Get());
    return;
  }
  if (&control == &form_) {
    if (change == Change::kText) ::SetWindowTextA(window_.Get(), form_.Text().c_str());
    return;
  }
  ControlWindow* window = WindowOf(control);
  if (!window || !window->Handle()) return;
  SyncScope syncing(syncing_);
  if (change == Change::kVisible) {
    ApplyVisibility(*window);
  } else {
    window->OnChange(change, row);
  }
}

// Children of a group box are its siblings on screen: they follow it.
void FormWindow::ApplyVisibility(ControlWindow& window) {
  if (window.Model().Kind() == ControlKind::kTabSheet) return;
  window.ShowAs(EffectivelyVisible(window.Model()));
  for (Control* child : window.Model().Children()) {
    if (ControlWindow* inner = WindowOf(*child); inner && inner->Handle()) ApplyVisibility(*inner);
  }
}

}  // namespace toolkit::win32
