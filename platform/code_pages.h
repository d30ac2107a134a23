// The code pages of the program's text. The program's strings, and what the
// system's ANSI calls take and give, are in the program's code page: UTF-8
// where the system honours the program's manifest (Windows 10 1903 and
// later, Wine, Linux), else the system's ANSI code page. Files written by
// earlier versions, and Ghostscript before 9.10, use the system's legacy ANSI
// code page (the one of its language, 1252 on a Western system; Windows-1252
// for a backend whose system has none).
#pragma once

#include <string>
#include <string_view>

namespace platform {

class CodePages {
 public:
  virtual ~CodePages() = default;
  // Whether the program's code page is UTF-8.
  virtual bool Utf8Program() = 0;
  // Legacy-code-page bytes in the program's code page.
  virtual std::string LegacyToProgram(std::string_view bytes) = 0;
  // The program's text in UTF-8, and in the legacy code page; characters
  // the code page lacks become "?".
  virtual std::string ProgramToUtf8(std::string_view text) = 0;
  virtual std::string ProgramToLegacy(std::string_view text) = 0;
};

// Text read from a file that may come from an earlier version: a value that
// is not UTF-8 is read in the legacy code page, when the program's is UTF-8.
std::string StoredText(std::string bytes);

}  // namespace platform
