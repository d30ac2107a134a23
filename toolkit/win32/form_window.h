// A form on screen: its top-level window and one ControlWindow per visible
// component, made from what the model's components carry of their layout.
// It passes the model's changes to the controls' windows, gives the
// keyboard focus to the control the model asks for, and finds the window a
// notification is for.
#pragma once

#include <memory>
#include <vector>

#include "platform/win32/scoped_handle.h"
#include "toolkit/control_model.h"
#include "toolkit/win32/control_window.h"
#include "toolkit/win32/window_classes.h"

namespace toolkit::win32 {

class FormWindow {
 public:
  // Makes every window, not yet shown. Raises platform::Error when one
  // cannot be made.
  explicit FormWindow(Form& form);
  ~FormWindow();
  FormWindow(const FormWindow&) = delete;
  FormWindow& operator=(const FormWindow&) = delete;

  // Shows the window; from then on its end posts WM_QUIT, which ends the
  // message loop.
  void Show();

  HWND Handle() const { return window_.Get(); }
  Form& Model() const { return form_; }
  // Null for ids and components without a window.
  ControlWindow* WindowById(int id) const;
  ControlWindow* WindowOf(const Component& component) const;
  // True while the binding itself changes controls: their notifications
  // then must not go back into the model.
  bool Syncing() const { return syncing_ > 0; }

  // The form window's WM_DESTROY.
  void Destroyed();

 private:
  void CreateControls();
  Placement PlacementOf(size_t index);
  void Observe(bool on);
  void OnModelChange(Control& control, Change change, int row);
  void MoveFocus(Control& control);
  void ApplyVisibility(ControlWindow& window);

  Form& form_;
  platform::win32::ScopedGdiObject font_;
  // By component index; null for components without a window.
  std::vector<std::unique_ptr<ControlWindow>> controls_;
  int syncing_ = 0;
  bool quitWhenDestroyed_ = false;
  // The title bar's and the task switcher's icons (WM_SETICON).
  ScopedIcon smallIcon_;
  ScopedIcon bigIcon_;
  // Last: destroyed first, while the controls' windows still have their
  // objects.
  ScopedWindow window_;
};

}  // namespace toolkit::win32
