// Fonts of the binding: making one, and finding out whether the system has
// a family and the signs a text needs from it.
#pragma once

#include <string>

#include "platform/win32/windows_api.h"

namespace toolkit::win32 {

// A regular font of the face with the character height in pixels; null
// when none can be made.
HFONT MakeFont(const char* face, int height, BYTE charset);

// True when the system has a font family of that name.
bool HasFontFamily(const char* face);

// True when the font has a sign of its own for every character of the text
// (some replacements of a font lack the signs a program needs).
bool FontHasGlyphs(HFONT font, const std::wstring& text);

}  // namespace toolkit::win32
