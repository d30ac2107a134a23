// Windows-1252 as the program converts it, byte by byte, against the
// system's own converter (glibc's iconv). iconv leaves the five bytes the
// code page does not use undefined; Windows maps them to the characters of
// their numbers, and so does the program.
#include <gtest/gtest.h>
#include <iconv.h>

#include <optional>
#include <set>
#include <string>

#include "platform/rules/code_page_text.h"

namespace {

// The byte as UTF-8 by iconv, or nothing where iconv defines no character.
std::optional<std::string> IconvUtf8(unsigned char byte) {
  iconv_t converter = ::iconv_open("UTF-8", "WINDOWS-1252");
  if (converter == reinterpret_cast<iconv_t>(-1)) return std::nullopt;
  char in[1] = {static_cast<char>(byte)};
  char out[8];
  char* from = in;
  char* to = out;
  size_t inLeft = 1, outLeft = sizeof out;
  const size_t done = ::iconv(converter, &from, &inLeft, &to, &outLeft);
  ::iconv_close(converter);
  if (done == static_cast<size_t>(-1)) return std::nullopt;
  return std::string(out, to);
}

TEST(CodePageIconvTest, EveryHighByteAsTheSystemConvertsIt) {
  ASSERT_EQ(IconvUtf8('A'), "A") << "no WINDOWS-1252 converter in iconv";
  const std::set<unsigned> unused = {0x81, 0x8D, 0x8F, 0x90, 0x9D};
  for (unsigned byte = 0x80; byte <= 0xFF; ++byte) {
    SCOPED_TRACE(testing::Message() << "byte 0x" << std::hex << byte);
    const std::string one(1, static_cast<char>(byte));
    const std::optional<std::string> system = IconvUtf8(static_cast<unsigned char>(byte));
    EXPECT_EQ(system.has_value(), !unused.count(byte));
    const std::string expected = system ? *system
                                        : std::string{static_cast<char>(0xC0 | byte >> 6),
                                                      static_cast<char>(0x80 | (byte & 0x3F))};
    EXPECT_EQ(platform::Windows1252ToUtf8(one), expected);
    EXPECT_EQ(platform::Utf8ToWindows1252(expected), one);
  }
}

}  // namespace
