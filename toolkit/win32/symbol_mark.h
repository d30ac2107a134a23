// A symbol mark: a label showing a box with a cross or a box with a check
// in a symbol font (its layout's mark). Where the system lacks that font or
// its signs, the mark draws the box itself. A symbol font's signs are
// character codes, not text of any code page: they reach the window as the
// characters U+0000..U+00FF of the same numbers, whatever the program's code
// page (UTF-8 has no one-byte 0xFD).
#pragma once

#include "toolkit/win32/label.h"

namespace toolkit::win32 {

class SymbolMarkWindow : public LabelWindow {
 public:
  using LabelWindow::LabelWindow;
  void Create(const Placement& placement) override;
  bool OnDrawItem(const DRAWITEMSTRUCT& item) override;
  std::string ShownText() const override;
  void ShowText(const std::string& text) override;
};

}  // namespace toolkit::win32
