// A symbol mark: a label showing a box with a cross or a box with a check
// in a symbol font (its layout's mark). Where the system lacks that font or
// its signs, the mark draws the box itself.
#pragma once

#include "toolkit/win32/label.h"

namespace toolkit::win32 {

class SymbolMarkWindow : public LabelWindow {
 public:
  using LabelWindow::LabelWindow;
  void Create(const Placement& placement) override;
  bool OnDrawItem(const DRAWITEMSTRUCT& item) override;
};

}  // namespace toolkit::win32
