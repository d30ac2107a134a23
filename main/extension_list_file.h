// The batch converter's list of file extensions, "context_list.txt" in the
// program folder: the memo's text byte for byte, no byte-order mark, lines
// separated by CR LF, a line break at the end only when the text has one.
#pragma once

#include <string>

namespace main_window {

// The program folder followed by "context_list.txt".
std::string ExtensionListPath();

// The text with every lone CR and every lone LF made CR LF; CR LF pairs stay.
std::string WithCrLfLineBreaks(const std::string& text);

// The whole file, its line breaks made CR LF and each line that an earlier
// version wrote in the legacy code page in the program's. EFOpenError
// "Cannot open file %s" when it cannot be read.
std::string ReadExtensionList(const std::string& path);

// Stores the text in the file. It is written whole to a temporary file
// beside it ("context_list.txt.tmp"), which then takes the file's place, so a
// failure leaves the stored list as it was (and no temporary file):
// EFCreateError "Cannot create file %s" naming the temporary file when it
// cannot be made, or the list's path when it cannot take the list's place;
// EWriteError "Stream write error" when the text cannot be written whole.
void StoreExtensionList(const std::string& path, const std::string& text);

}  // namespace main_window
