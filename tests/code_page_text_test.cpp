#include "platform/rules/code_page_text.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// The contract test converts the rest of code page 1252 both ways, the fuzz
// target every byte string.
TEST(CodePageTextTest, WellFormedUtf8AndWhat1252Lacks) {
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
  // The five unused bytes stand for the characters of their numbers.
  EXPECT_EQ(platform::Windows1252ToUtf8("\x81\x9D"), "\xC2\x81\xC2\x9D");
  EXPECT_EQ(platform::Utf8ToWindows1252("\xD0\x9E \xF0\x9F\x93\x84 \xFC\xC2\x9D"), "? ? ?\x9D");
}

}  // namespace
