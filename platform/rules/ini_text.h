// The rules of Windows initialization (INI) files, applied to a file's bytes.
// Profile backends that cannot use the system's private-profile functions
// read and change files with these, and the Win32 backend checks names with
// them so that every backend accepts the same entries.
//
// The file is split into lines at CR LF, LF or a lone CR, as Windows does. A
// NUL ends what a line says (the rest of it is kept, but not read), as for
// the system's C-string functions; every other byte is an ordinary
// character. Lines are, after leading blanks (spaces and tabs):
//   - "[name]": a section header. The name is what stands between "[" and
//     the first "]", without its leading and trailing blanks; whatever
//     follows the "]" is ignored. A line starting with "[" without "]" is
//     not a header.
//   - ";...": a comment. It is never a key, not even when it holds "=".
//   - "key=value": an entry. The key is the text before the first "=", the
//     value the text after it, both without leading and trailing blanks.
//   - anything else (blank lines, lines without "=", binary junk): nothing.
// Comments and other lines belong to no key and are kept as they are.
// Entries before the first header belong to no section and are never found.
//
// Names match without regard to ASCII case. When a section occurs more than
// once, the first occurrence is the section: reads and writes use it only
// (as Windows does). When a key occurs twice in that section, the first
// line is the key. Removing a section removes every occurrence, so that its
// keys read as absent afterwards.
#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace platform {

// The longest value a read returns; the rest is cut.
inline constexpr size_t kIniMaxValueLength = 2047;

// True when name can be stored as a section: not empty, no leading or
// trailing blanks, no "]", CR, LF or NUL.
bool IsIniSectionName(std::string_view name);
// True when name can be stored as a key: not empty, no leading or trailing
// blanks, no "=", CR, LF or NUL, and not starting with ";" or "[".
bool IsIniKeyName(std::string_view name);
// True when value can be stored on one line: no CR, LF or NUL. Blanks and
// quotes are allowed; they are written as they are (and read by the rules).
bool IsIniValue(std::string_view value);

// The value of key in section: without leading and trailing blanks, without
// one pair of enclosing " or ', then cut to kIniMaxValueLength. nullopt when
// the section or key is absent, or a name is not storable.
std::optional<std::string> ReadIniValue(std::string_view text, std::string_view section,
                                        std::string_view key);

// text with key set to value in section. An existing key's line is replaced
// where it stands (keeping the key's spelling in the file); a new key is put
// after the last entry of the section (or right after its header); a new
// section is appended at the end of the file. Written lines are "key=value"
// with no blanks, ending in CR LF; every other line keeps its bytes (a last
// line without line ending gets CR LF when something is put after it).
// nullopt when the names or the value are not storable (see above); then
// nothing is to be written.
std::optional<std::string> WriteIniValue(std::string_view text, std::string_view section,
                                         std::string_view key, std::string_view value);

// A file written in a legacy 8-bit code page, its lines that are not UTF-8
// converted by `convert` (the line ends kept). Nothing when there is nothing
// to convert: the text is UTF-8 already, or is no 8-bit text at all (it
// begins with a UTF-16 byte-order mark, or holds a NUL byte), which the
// system reads and writes in its own way.
std::optional<std::string> LegacyLinesAsUtf8(
    std::string_view text, const std::function<std::string(std::string_view)>& convert);

// text without every occurrence of section: the header lines and all lines
// up to the next header. Other lines keep their bytes. text itself when the
// section is absent.
std::string RemoveIniSection(std::string_view text, std::string_view section);

}  // namespace platform
