#include "platform/rules/path.h"

#include <gtest/gtest.h>

namespace {

using platform::path::Style;
namespace path = platform::path;

const path::LeadBytes kNone{};
const path::LeadBytes kSjis = path::ShiftJisLeadBytes();

struct PathCase {
  std::string text;
  Style style;
  path::LeadBytes lead;
  std::string added, removed, folder, name;
};

TEST(PathTest, DelimiterRules) {
  // "\x95\x5c" is one Shift-JIS character whose second byte is a backslash.
  const PathCase cases[] = {
      {"", Style::Windows, kNone, "\\", "", "", ""},
      {"C:\\", Style::Windows, kNone, "C:\\", "C:", "C:\\", ""},
      {"C:", Style::Windows, kNone, "C:\\", "C:", "C:", ""},
      {"C:\\a\\b.exe", Style::Windows, kNone, "C:\\a\\b.exe\\", "C:\\a\\b.exe", "C:\\a\\", "b.exe"},
      {"D:gs.exe", Style::Windows, kNone, "D:gs.exe\\", "D:gs.exe", "D:", "gs.exe"},
      {"a\\\\", Style::Windows, kNone, "a\\\\", "a\\", "a\\\\", ""},
      {"x/y", Style::Windows, kNone, "x/y\\", "x/y", "", "x/y"},
      {"C:\\\x95\x5c", Style::Windows, kSjis, "C:\\\x95\x5c\\", "C:\\\x95\x5c", "C:\\", "\x95\x5c"},
      {"C:\\\x95\x5c", Style::Windows, kNone, "C:\\\x95\x5c", "C:\\\x95", "C:\\\x95\x5c", ""},
      // A lead byte with nothing after it would take a lone backslash as
      // its trail byte: the delimiter comes after a second one.
      {"\x0a\xeb", Style::Windows, kSjis, "\x0a\xeb\\\\", "\x0a\xeb", "", "\x0a\xeb"},
      {"C:\\a\\\x95", Style::Windows, kSjis, "C:\\a\\\x95\\\\", "C:\\a\\\x95", "C:\\a\\", "\x95"},
      {"/usr/bin", Style::Posix, kNone, "/usr/bin/", "/usr/bin", "/usr/", "bin"},
      {"/", Style::Posix, kNone, "/", "", "/", ""},
      {"a:b\\c", Style::Posix, kNone, "a:b\\c/", "a:b\\c", "", "a:b\\c"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(path::AddTrailingDelimiter(c.text, c.style, c.lead), c.added);
    EXPECT_TRUE(path::EndsWithDelimiter(c.added, c.style, c.lead));
    EXPECT_EQ(path::FolderPart(c.added + "x", c.style, c.lead), c.added);
    EXPECT_EQ(path::RemoveTrailingDelimiter(c.text, c.style, c.lead), c.removed);
    EXPECT_EQ(path::FolderPart(c.text, c.style, c.lead), c.folder);
    EXPECT_EQ(path::FileNamePart(c.text, c.style, c.lead), c.name);
  }
}

TEST(PathTest, ChangeExtension) {
  struct {
    std::string text;
    Style style;
    std::string expected;
  } cases[] = {
      {"C:\\Tools\\setup.exe", Style::Windows, "C:\\Tools\\setup.ini"},
      {"C:\\Tools\\setup", Style::Windows, "C:\\Tools\\setup.ini"},
      {"C:\\To.ols\\setup", Style::Windows, "C:\\To.ols\\setup.ini"},
      {"C:\\Tools\\a.b.exe", Style::Windows, "C:\\Tools\\a.b.ini"},
      {"D:x.exe", Style::Windows, "D:x.ini"},
      {"/opt/pdf.d/pdfprinter", Style::Posix, "/opt/pdf.d/pdfprinter.ini"},
      {"/opt/pdfprinter.bin", Style::Posix, "/opt/pdfprinter.ini"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(path::ChangeExtension(c.text, ".ini", c.style), c.expected);
  }
}

TEST(PathTest, DeviceNames) {
  const struct {
    const char* name;
    bool device;
  } cases[] = {
      {"NUL", true},       {"nul.pdf", true}, {"COM1", true},      {"lpt9.tar.gz", true},
      {"CON .pdf", true},  {"conin$", true},  {"AUX.", true},      {"PRN.pdf", true},
      {"COM0.pdf", false}, {"COM10", false},  {"NULL.pdf", false}, {"Report NUL.pdf", false},
      {" NUL.pdf", false}, {"", false},       {"CONOUT$.x", true}, {"CO.pdf", false},
  };
  for (const auto& c : cases) EXPECT_EQ(path::IsDeviceName(c.name), c.device) << c.name;
}

}  // namespace
