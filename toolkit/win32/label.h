// A label: static text, aligned and word-wrapped as its layout says, in its
// own font when the layout names one.
#pragma once

#include "platform/win32/scoped_handle.h"
#include "toolkit/win32/control_window.h"

namespace toolkit::win32 {

class LabelWindow : public ControlWindow {
 public:
  using ControlWindow::ControlWindow;
  void Create(const Placement& placement) override;

 protected:
  // SS_ styles for the layout's alignment and word wrap.
  static DWORD TextStyle(const ControlLayout& layout);

  platform::win32::ScopedGdiObject font_;  // the label's own, or null
};

}  // namespace toolkit::win32
