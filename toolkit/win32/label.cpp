#include "toolkit/win32/label.h"

#include "toolkit/win32/fonts.h"

namespace toolkit::win32 {

DWORD LabelWindow::TextStyle(const ControlLayout& layout) {
  switch (layout.alignment) {
    case Alignment::kRight:
      return SS_NOPREFIX | SS_RIGHT;
    case Alignment::kCenter:
      return SS_NOPREFIX | SS_CENTER;
    case Alignment::kLeft:
      break;
  }
  return SS_NOPREFIX | (layout.wordWrap ? SS_LEFT : SS_LEFTNOWORDWRAP);
}

void LabelWindow::Create(const Placement& placement) {
  const auto& layout = Model().Layout();
  if (layout.fontName) font_.Reset(MakeFont(layout.fontName, layout.fontHeight, DEFAULT_CHARSET));
  HFONT font = font_.IsValid() ? static_cast<HFONT>(font_.Get()) : placement.font;
  CreateControl("STATIC", TextStyle(layout), 0, placement, Model().Text(), font);
}

}  // namespace toolkit::win32
