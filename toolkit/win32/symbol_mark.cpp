#include "toolkit/win32/symbol_mark.h"

#include <algorithm>
#include <string>

#include "toolkit/win32/fonts.h"

namespace toolkit::win32 {

namespace {

using platform::win32::ScopedGdiObject;
using platform::win32::ScopedSelectObject;

// A box with a check mark (found) or with a cross, on the button face.
void DrawMark(HDC dc, const RECT& area, bool check) {
  ::FillRect(dc, &area, ::GetSysColorBrush(COLOR_BTNFACE));
  int side = std::min<int>(area.right - area.left, area.bottom - area.top) - 8;
  int left = area.left + 4, top = area.top + (area.bottom - area.top - side) / 2;
  ScopedGdiObject pen(::CreatePen(PS_SOLID, 2, ::GetSysColor(COLOR_WINDOWTEXT)));
  ScopedSelectObject withPen(dc, pen.Get());
  ScopedSelectObject withoutFill(dc, ::GetStockObject(NULL_BRUSH));
  ::Rectangle(dc, left, top, left + side, top + side);
  int inset = side / 5;
  if (check) {
    POINT tick[] = {{left + inset, top + side / 2},
                    {left + side * 2 / 5, top + side - inset},
                    {left + side - inset, top + inset}};
    ::Polyline(dc, tick, 3);
  } else {
    ::MoveToEx(dc, left + inset, top + inset, nullptr);
    ::LineTo(dc, left + side - inset, top + side - inset);
    ::MoveToEx(dc, left + side - inset, top + inset, nullptr);
    ::LineTo(dc, left + inset, top + side - inset);
  }
}

// Character codes of the symbol font as the characters of the same numbers.
std::wstring SignCharacters(const std::string& codes) {
  std::wstring signs;
  for (char c : codes) signs += static_cast<wchar_t>(static_cast<unsigned char>(c));
  return signs;
}

}  // namespace

void SymbolMarkWindow::Create(const Placement& placement) {
  const auto& layout = Model().Layout();
  if (layout.fontName && HasFontFamily(layout.fontName)) {
    font_.Reset(MakeFont(layout.fontName, layout.fontHeight, SYMBOL_CHARSET));
    std::wstring signs = SignCharacters(std::string(layout.mark.cross) + layout.mark.check);
    if (!FontHasGlyphs(static_cast<HFONT>(font_.Get()), signs)) font_.Reset();
  }
  if (font_.IsValid()) {
    CreateControl("STATIC", TextStyle(layout), 0, placement, "", static_cast<HFONT>(font_.Get()));
  } else {
    CreateControl("STATIC", SS_NOPREFIX | SS_OWNERDRAW, 0, placement, "", placement.font);
  }
  ShowText(Model().Text());
}

std::string SymbolMarkWindow::ShownText() const {
  std::wstring text(::GetWindowTextLengthW(Handle()) + 1, L'\0');
  text.resize(::GetWindowTextW(Handle(), text.data(), static_cast<int>(text.size())));
  std::string codes;
  for (wchar_t c : text) codes += static_cast<char>(c);
  return codes;
}

void SymbolMarkWindow::ShowText(const std::string& text) {
  ::SetWindowTextW(Handle(), SignCharacters(text).c_str());
}

bool SymbolMarkWindow::OnDrawItem(const DRAWITEMSTRUCT& item) {
  DrawMark(item.hDC, item.rcItem, Model().Text() == Model().Layout().mark.check);
  return true;
}

}  // namespace toolkit::win32
