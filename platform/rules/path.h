// Path text rules of the program, for Windows paths and for POSIX paths.
// Every function takes a Style; Style::Native is the style of the build, so
// the Windows rules can be exercised on Linux too.
//
// Windows style: the delimiter is "\" and the folder part also ends at a
// drive colon. Tests for "\" work on bytes and skip the trail byte of a
// double-byte character of the ANSI code page (see LeadBytes).
#pragma once

#include <string>
#include <string_view>

namespace platform::path {

// Native: Windows in the Windows build, POSIX elsewhere.
enum class Style { Native, Windows, Posix };

// Which bytes start a double-byte character in the ANSI code page. The
// default is the code page of the running system (none on POSIX), which
// each platform backend defines.
struct LeadBytes {
  bool (*isLead)(unsigned char) = nullptr;
  bool operator()(unsigned char c) const { return isLead && isLead(c); }
};
LeadBytes SystemLeadBytes();
// Code page 932 (Japanese) lead bytes, for tests of the double-byte rules.
LeadBytes ShiftJisLeadBytes();

bool IsWindows(Style style);
char Delimiter(Style style = Style::Native);
// Whether two file names name the same file to the style's file system:
// Windows compares the letters A to Z without regard to case, POSIX compares
// byte for byte.
bool SameFileName(std::string_view a, std::string_view b, Style style = Style::Native);

// True when the text ends in a delimiter that is not the trail byte of a
// double-byte character.
bool EndsWithDelimiter(const std::string& text, Style style = Style::Native,
                       LeadBytes lead = SystemLeadBytes());
// Appends one delimiter unless the text already ends in one ("" -> "\");
// the result always ends in one. A text that ends in a lead byte with nothing
// after it gets two: the first is that byte's trail byte, as the system reads
// it, so "\x0a\xeb" becomes "\x0a\xeb\\\\" in code page 932.
std::string AddTrailingDelimiter(const std::string& text, Style style = Style::Native,
                                 LeadBytes lead = SystemLeadBytes());
// Removes one trailing delimiter at most.
std::string RemoveTrailingDelimiter(const std::string& text, Style style = Style::Native,
                                    LeadBytes lead = SystemLeadBytes());
// Index just past the last delimiter (or drive colon in Windows style); 0
// when there is none.
size_t FolderPartLength(const std::string& text, Style style = Style::Native,
                        LeadBytes lead = SystemLeadBytes());
// The text up to and including its last delimiter (or drive colon).
std::string FolderPart(const std::string& text, Style style = Style::Native,
                       LeadBytes lead = SystemLeadBytes());
// The text after the folder part.
std::string FileNamePart(const std::string& text, Style style = Style::Native,
                         LeadBytes lead = SystemLeadBytes());
// Whether a file name names one of Windows's devices rather than a file:
// "CON", "PRN", "AUX", "NUL", "COM1" to "COM9", "LPT1" to "LPT9",
// "CONIN$" and "CONOUT$", in any case, alone or before a "." and
// whatever follows ("nul.pdf", "COM1 .txt").
bool IsDeviceName(std::string_view fileName);
// The parent of a folder, with a trailing delimiter ("D\V\bin\" -> "D\V\",
// "C:\" -> "C:\", "name" -> "\").
std::string ParentFolder(const std::string& folder, Style style = Style::Native);
// Replaces the extension (from the last "." after the folder part) with ext,
// or appends ext when there is none.
std::string ChangeExtension(const std::string& text, const std::string& ext,
                            Style style = Style::Native, LeadBytes lead = SystemLeadBytes());

}  // namespace platform::path
