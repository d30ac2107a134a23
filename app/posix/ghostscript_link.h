// The machine's Ghostscript seen through a folder of the user's own, so that
// what a job writes beside the console program (the response file) lands
// there and never in a system folder such as /usr/bin.
#pragma once

#include <string>

namespace app {

// "<private cache>/ghostscript/<n>/bin/gs" (see PrivateCacheFolder), a
// symbolic link to program, made or re-pointed (atomically) as needed; n is
// the program's place among the search path's Ghostscripts (1: the first).
// Raises platform::Error when the folder or the link cannot be made.
std::string GhostscriptLink(size_t n, const std::string& program);

}  // namespace app
