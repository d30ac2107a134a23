// The Ghostscript program folder, with a trailing delimiter. Empty until a
// print job sets it; lives to the end of the process.
#pragma once

#include <string>

namespace main_window {
extern std::string GhostscriptFolder;
}  // namespace main_window
