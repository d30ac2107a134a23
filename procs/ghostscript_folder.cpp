#include "procs/ghostscript_folder.h"

namespace procs {
std::string GhostscriptFolder;
}  // namespace procs
