// The Ghostscript console program: its file names, the folder that holds
// it, and what the folder's name tells of its version.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/rules/path.h"

namespace procs {

// A Ghostscript to run: its folder (with a trailing delimiter) and the file
// name of its console program there ("" when there is none).
struct Ghostscript {
  std::string folder;
  std::string program;
};

// The console program's file name ("gswin32c.exe"; "gs" on POSIX), as
// messages name it.
std::string GhostscriptProgramName();
// The file names a Ghostscript folder may hold its console program under,
// the preferred first: "gswin32c.exe" and "gswin64c.exe" (a 64-bit
// Ghostscript has only the second); "gs" on POSIX.
std::vector<std::string> GhostscriptProgramNames();

// The console program's file name in the folder (which ends in a
// delimiter): the first of GhostscriptProgramNames() that is an existing
// file there, or "" when none is.
std::string GhostscriptProgramIn(const std::string& folder);

// A version's numbers, for comparing versions: "10.02.1" -> {10, 2, 1}; a
// part stops at its first non-digit, and trailing zeros are dropped.
std::vector<unsigned long> VersionNumbers(const std::string& version);

// The version of the Ghostscript in the folder (which ends in a delimiter),
// as the installers name the folder above "bin" ("gs9.05" -> {9, 5});
// nothing for a folder named otherwise, which holds one of today's.
std::optional<std::vector<unsigned long>> GhostscriptFolderVersion(
    const std::string& ghostscriptFolder,
    platform::path::Style style = platform::path::Style::Native);

// Whether the Ghostscript in the folder reads its response file as UTF-8.
// Ghostscript 9.10 and later do: their console programs decode every
// argument, and each line of an @file, as UTF-8 and drop the bytes that are
// not. Older ones read the bytes in the system's legacy code page.
bool ReadsResponseFileAsUtf8(const std::string& ghostscriptFolder,
                             platform::path::Style style = platform::path::Style::Native);

}  // namespace procs
