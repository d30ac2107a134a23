// Where the Ghostscript console program lives.
#pragma once

#include <string>

namespace procs {

// The folder holding the Ghostscript console program, without a trailing
// delimiter, or "" when none is found. The folder saved in the settings file
// wins over the installations the registry lists; the answer is always
// written back to the settings file. Raises ERegistryException "Invalid data
// type for 'GS_DLL'" for a non-text registry value (the settings file is then
// neither read nor written) and EIniFileException when the settings file
// cannot be written.
std::string FindGhostscriptFolder();

}  // namespace procs
