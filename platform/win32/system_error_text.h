// The system's text for an error code.
#pragma once

#include <string>

#include "platform/win32/windows_api.h"

namespace platform::win32 {

// FormatMessageA's text, without the line break it ends in; "system error
// <n>" when the system has none.
std::string SystemErrorText(DWORD error);

}  // namespace platform::win32
