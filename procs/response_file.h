// The Ghostscript response file and the routines that write and run it.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/rules/path.h"

namespace procs {

// The nine lines (without line ends) for a Ghostscript folder that ends in a
// delimiter and the PDF file to make. Line 7 names the file with every "%"
// doubled, so that Ghostscript writes to exactly outputPath. Ghostscript
// reads a response file's double quotes as quotes only at the start of a
// word or after "=": line 1, the search folders, is quoted as a whole.
std::vector<std::string> ResponseFileLines(
    const std::string& ghostscriptFolder, const std::string& outputPath,
    platform::path::Style style = platform::path::Style::Native);

// Whether the Ghostscript in the folder (which ends in a delimiter) reads its
// response file as UTF-8. Ghostscript 9.10 and later do: their console
// programs decode every argument, and each line of an @file, as UTF-8 and
// drop the bytes that are not. Older ones read the bytes in the system's
// legacy code page. The version is the one the installers name the folder
// above "bin" with ("gs9.05"); a folder named otherwise holds one of today's.
bool ReadsResponseFileAsUtf8(const std::string& ghostscriptFolder,
                             platform::path::Style style = platform::path::Style::Native);

// A line of the program's text in the code page that Ghostscript reads.
std::string InGhostscriptCodePage(const std::string& line, bool utf8);

// Appends line + CR LF to the file, creating it first when it does not exist.
// Opens and closes the file for every line. Raises EInOutError with the text
// for the system's error code ("File not found", "Disk full", ...).
void AppendLine(const std::string& path, const std::string& line);

// The text for an I/O error code: 2 "File not found", 3 "Invalid filename",
// 4 "Too many open files", 5 "File access denied", 100 "Read beyond end of
// file", 101 "Disk full", 106 "Invalid numeric input", else "I/O error <n>".
std::string InOutErrorText(int code);

// The parent of a folder, with a trailing delimiter ("D\V\bin\" -> "D\V\",
// "C:\" -> "C:\", "name" -> "\").
std::string ParentFolder(const std::string& folder,
                         platform::path::Style style = platform::path::Style::Native);

}  // namespace procs
