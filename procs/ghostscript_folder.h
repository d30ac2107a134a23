// The Ghostscript program folder, with a trailing delimiter. Empty until a
// print job sets it; lives to the end of the process.
#pragma once

#include <string>

namespace procs {
extern std::string GhostscriptFolder;
}  // namespace procs
