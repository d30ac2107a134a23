// What differs between the platforms the program is built for, beyond the
// services: path style, ANSI lead bytes, outside programs' file names.
// Defined once per platform implementation.
#pragma once

#include <string>
#include <vector>

#include "platform/path.h"

namespace platform {

namespace path {
Style NativeStyle();
LeadBytes NativeLeadBytes();
}  // namespace path

// The Ghostscript console program's file name: "gswin32c.exe" on Windows,
// "gs" on POSIX.
std::string GhostscriptConsoleName();
// The file names a Ghostscript folder may hold its console program under,
// the preferred first: "gswin32c.exe" and "gswin64c.exe" on Windows (a
// 64-bit Ghostscript has only the second), "gs" on POSIX.
std::vector<std::string> GhostscriptConsoleNames();

}  // namespace platform
