// Where the Ghostscript console program lives: the folder saved in the
// settings file, else the installations the registry lists.
#pragma once

#include <string>

namespace procs {

// The registry key (below HKEY_LOCAL_MACHINE) under which AFPL Ghostscript
// lists its versions, one subkey each, with the text value "GS_DLL" naming
// the version's library file, whose folder holds the console program.
inline constexpr char kAfplGhostscriptKey[] = "SOFTWARE\\AFPL Ghostscript";
inline constexpr char kGhostscriptDllValue[] = "GS_DLL";

// The folder holding the Ghostscript console program, without a trailing
// delimiter, or "" when none is found. The folder saved in the settings file
// wins over the installations the registry lists: first those under
// kAfplGhostscriptKey (the last listed version whose "GS_DLL" file exists),
// then, only when neither leads to the program, those of today's
// installers: the highest version registered under "SOFTWARE\GPL
// Ghostscript", "SOFTWARE\Artifex Ghostscript" or "SOFTWARE\GNU Ghostscript",
// in the 32-bit and then the 64-bit registry view, whose "GS_DLL" file
// exists (versions compare by their numbers, "10.02.1" above "9.56"; a
// value that is no text names no file). A folder counts when it holds one
// of the console program's names (GhostscriptProgramIn). The answer is
// written back to the settings file when it differs from what is stored
// there (an absent key included). Raises ERegistryException "Invalid data
// type for 'GS_DLL'" for a non-text value under the AFPL key (the settings
// file is then neither read nor written) and, with Store::kRequired,
// EIniFileException when the settings file cannot be written; a print job
// (Store::kBestEffort) goes on without storing it.
enum class Store { kRequired, kBestEffort };
std::string FindGhostscriptFolder(Store store = Store::kRequired);

}  // namespace procs
