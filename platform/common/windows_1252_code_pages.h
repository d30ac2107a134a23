// The code pages of a system without a legacy ANSI code page of its own
// (Linux), and of the tests' fake: the legacy code page is Windows-1252, the
// program's UTF-8 unless told to be the legacy one (an older Windows).
#pragma once

#include "platform/code_pages.h"
#include "platform/rules/code_page_text.h"

namespace platform {

class Windows1252CodePages : public CodePages {
 public:
  explicit Windows1252CodePages(bool utf8 = true) : utf8Program(utf8) {}

  bool Utf8Program() override { return utf8Program; }
  std::string LegacyToProgram(std::string_view bytes) override {
    return utf8Program ? Windows1252ToUtf8(bytes) : std::string(bytes);
  }
  std::string ProgramToUtf8(std::string_view text) override {
    return utf8Program ? std::string(text) : Windows1252ToUtf8(text);
  }
  std::string ProgramToLegacy(std::string_view text) override {
    return utf8Program ? Utf8ToWindows1252(text) : std::string(text);
  }

  bool utf8Program;
};

}  // namespace platform
