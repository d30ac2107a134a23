// The machine's Ghostscripts seen through folders of the user's own, one per
// Ghostscript on the search path, each of which can be a Ghostscript folder.
#pragma once

#include <string>

namespace app {

// "<private cache>/ghostscript/<n>/bin/gs" (see PrivateCacheFolder), a
// symbolic link to program, made or re-pointed (atomically) as needed; n is
// the program's place among the search path's Ghostscripts (1: the first).
// Raises platform::Error when the folder or the link cannot be made.
std::string GhostscriptLink(size_t n, const std::string& program);

}  // namespace app
