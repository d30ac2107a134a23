#include "platform/rules/code_page_text.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(CodePageTextTest, WellFormedUtf8) {
  const struct {
    std::string bytes;
    bool utf8;
  } cases[] = {
      {"", true},
      {"C:\\PDF", true},
      {"J\xC3\xBCrgen \xD0\x9E\xE5\xA0\xB1\xF0\x9F\x93\x84", true},  // 2, 3 and 4 bytes
      {"J\xFCrgen", false},                                          // 1252
      {"\xC3", false},                                               // cut short
      {"\x80", false},                                               // stray continuation
      {"\xC0\x80", false},                                           // overlong NUL
      {"\xE0\x9F\xBF", false},                                       // overlong
      {"\xED\xA0\x80", false},                                       // surrogate
      {"\xF4\x90\x80\x80", false},                                   // above U+10FFFF
      {"\xF8\x88\x80\x80\x80", false},
  };
  for (const auto& c : cases) EXPECT_EQ(platform::IsUtf8(c.bytes), c.utf8) << c.bytes;
}

TEST(CodePageTextTest, Windows1252BothWays) {
  const struct {
    std::string legacy, utf8;
  } both[] = {
      {"C:\\J\xFCrgen", "C:\\J\xC3\xBCrgen"},
      {"\x80\x8A\x9F", "\xE2\x82\xAC\xC5\xA0\xC5\xB8"},  // the 0x80 row is not Latin-1
      {"\x81\x9D", "\xC2\x81\xC2\x9D"},                  // unused: the same numbers
      {"\xFF", "\xC3\xBF"},
  };
  for (const auto& c : both) {
    EXPECT_EQ(platform::Windows1252ToUtf8(c.legacy), c.utf8);
    EXPECT_EQ(platform::Utf8ToWindows1252(c.utf8), c.legacy);
  }
  // What the code page lacks, and bytes that are no UTF-8.
  EXPECT_EQ(platform::Utf8ToWindows1252("\xD0\x9E\xD1\x82 \xF0\x9F\x93\x84 \xFC."), "?? ? ?.");
}

}  // namespace
