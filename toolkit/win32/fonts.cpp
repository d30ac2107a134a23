#include "toolkit/win32/fonts.h"

#include <algorithm>
#include <cstring>

#include "platform/win32/scoped_handle.h"

namespace toolkit::win32 {

namespace {

int CALLBACK NoteFontFamily(const LOGFONTA*, const TEXTMETRICA*, DWORD, LPARAM found) {
  *reinterpret_cast<bool*>(found) = true;
  return 0;
}

}  // namespace

HFONT MakeFont(const char* face, int height, BYTE charset) {
  return ::CreateFontA(-height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, charset,
                       OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                       DEFAULT_PITCH | FF_DONTCARE, face);
}

bool HasFontFamily(const char* face) {
  platform::win32::ScopedGetDc screen(nullptr);
  LOGFONTA wanted{};
  wanted.lfCharSet = DEFAULT_CHARSET;
  std::strncpy(wanted.lfFaceName, face, LF_FACESIZE - 1);
  bool found = false;
  ::EnumFontFamiliesExA(screen.Get(), &wanted, NoteFontFamily, reinterpret_cast<LPARAM>(&found), 0);
  return found;
}

bool FontHasGlyphs(HFONT font, const std::wstring& text) {
  platform::win32::ScopedGetDc screen(nullptr);
  platform::win32::ScopedSelectObject selected(screen.Get(), font);
  WORD glyphs[16] = {};
  int length = static_cast<int>(std::min<size_t>(text.size(), 16));
  DWORD done =
      ::GetGlyphIndicesW(screen.Get(), text.c_str(), length, glyphs, GGI_MARK_NONEXISTING_GLYPHS);
  return done == static_cast<DWORD>(length) &&
         std::none_of(glyphs, glyphs + length, [](WORD g) { return g == 0xFFFF || g == 0; });
}

}  // namespace toolkit::win32
