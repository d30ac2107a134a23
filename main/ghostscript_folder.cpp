#include "main/ghostscript_folder.h"

namespace main_window {
std::string GhostscriptFolder;
}  // namespace main_window
