// Text from one Windows code page to another, through UTF-16.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/win32/windows_api.h"

namespace platform::win32 {

// The ANSI code page of the system's language (1252 on a Western system),
// which earlier versions wrote their files in.
UINT LegacyCodePage();

// The text in the other code page; characters it lacks become "?".
std::string ConvertCodePage(std::string_view text, UINT from, UINT to);

// A wide text in the program's code page (CP_ACP), for a system call whose
// ANSI form holds too few bytes; nothing when the code page lacks one of its
// characters.
std::optional<std::string> ProgramText(const WCHAR* text);

// A text in the program's code page (CP_ACP) as a wide text.
std::wstring ProgramToWide(std::string_view text);

}  // namespace platform::win32
