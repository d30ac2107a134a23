// Text in the two code pages the program meets: UTF-8, what today's systems
// and Ghostscript use, and Windows-1252, the legacy ANSI code page of
// Western systems (where the backends without a system table of their own
// take a legacy text to come from).
#pragma once

#include <string>
#include <string_view>

namespace platform {

// True when the bytes are well-formed UTF-8: no stray or missing
// continuation byte, no overlong form, no surrogate, nothing above U+10FFFF.
bool IsUtf8(std::string_view bytes);

// Windows-1252 bytes as UTF-8. The five bytes the code page leaves unused
// stand for the characters of the same numbers, as Windows converts them.
std::string Windows1252ToUtf8(std::string_view bytes);

// UTF-8 text in Windows-1252; a character the code page lacks, and every
// byte that is not UTF-8, becomes "?".
std::string Utf8ToWindows1252(std::string_view text);

}  // namespace platform
