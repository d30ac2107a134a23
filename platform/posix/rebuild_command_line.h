// Linux has no raw command line, only the words of argv: the POSIX layer
// rebuilds the text that the program's own splitting rules (no escape
// character, a quoted stretch is never cut) turn back into those words.
#pragma once

#include <string>
#include <vector>

namespace platform::posix {

// Every word in double quotes, separated by blanks: inside quotes the
// splitting rules keep every byte, blanks, control characters and words of
// any length included. An empty word becomes "", which is no word at all, as
// on Windows. Raises platform::Error (kind "EArgumentException", naming the
// word) for a word that holds a double quote, which no command line can pass.
std::string RebuildCommandLine(const std::vector<std::string>& words);

}  // namespace platform::posix
