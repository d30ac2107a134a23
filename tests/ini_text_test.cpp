#include "platform/rules/ini_text.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "platform/rules/code_page_text.h"

namespace {

using platform::ReadIniValue;
using platform::RemoveIniSection;
using platform::WriteIniValue;

struct ReadCase {
  const char* name;
  std::string text;
  std::string section;
  std::string key;
  std::optional<std::string> expected;
};

TEST(IniTextTest, ReadsByTheRules) {
  const std::string longValue = std::string(2047, 'a') + std::string(953, 'b');
  const std::vector<ReadCase> cases = {
      {"plain", "[S]\r\nk=v\r\n", "S", "k", "v"},
      {"section case", "[GhostScript]\r\nLocation=c:\\gs\r\n", "ghostscript", "Location", "c:\\gs"},
      {"key case", "[S]\r\nSaveType=1\r\n", "S", "SAVETYPE", "1"},
      {"lower-case port section", "[ppp1:]\r\nShowPDF=0\r\n", "PPP1:", "ShowPDF", "0"},
      {"blanks around value", "[S]\r\nk= \t 1 \t\r\n", "S", "k", "1"},
      {"blanks around key", "[S]\r\n  k \t=v\r\n", "S", "k", "v"},
      {"blanks in header", "  [ S ]  \r\nk=v\r\n", "S", "k", "v"},
      {"text after header", "[S] ; note\r\nk=v\r\n", "S", "k", "v"},
      {"inner blanks kept", "[S]\r\nk=a  b\r\n", "S", "k", "a  b"},
      {"double quotes", "[S]\r\nk=\"c:\\out \"\r\n", "S", "k", "c:\\out "},
      {"single quotes", "[S]\r\nk='x'\r\n", "S", "k", "x"},
      {"only one pair removed", "[S]\r\nk=\"\"x\"\"\r\n", "S", "k", "\"x\""},
      {"quotes inside blanks", "[S]\r\nk=  \"x\"  \r\n", "S", "k", "x"},
      {"unbalanced quote kept", "[S]\r\nk=\"x\r\n", "S", "k", "\"x"},
      {"mixed quotes kept", "[S]\r\nk=\"x'\r\n", "S", "k", "\"x'"},
      {"lone quote kept", "[S]\r\nk=\"\r\n", "S", "k", "\""},
      {"empty quotes", "[S]\r\nk=\"\"\r\n", "S", "k", ""},
      {"empty value", "[S]\r\nk=\r\n", "S", "k", ""},
      {"equals in value", "[S]\r\nk=a=b\r\n", "S", "k", "a=b"},
      {"hex text", "[S]\r\nk=0x1F\r\n", "S", "k", "0x1F"},
      {"dollar text", "[S]\r\nk=$1\r\n", "S", "k", "$1"},
      {"3000 chars cut to 2047", "[S]\r\nk=" + longValue + "\r\n", "S", "k",
       std::string(2047, 'a')},
      {"LF-only lines", "[S]\nk=v\n", "S", "k", "v"},
      {"no final line end", "[S]\r\nk=v", "S", "k", "v"},
      {"empty file", "", "S", "k", std::nullopt},
      {"missing section", "[T]\r\nk=v\r\n", "S", "k", std::nullopt},
      {"missing key", "[S]\r\nother=v\r\n", "S", "k", std::nullopt},
      {"key of the next section", "[S]\r\n[T]\r\nk=v\r\n", "S", "k", std::nullopt},
      {"key before any section", "k=v\r\n[S]\r\n", "S", "k", std::nullopt},
      {"comment is no key", "[S]\r\n;k=v\r\n", "S", "k", std::nullopt},
      {"comment key name not found", "[S]\r\n;k=v\r\n", "S", ";k", std::nullopt},
      {"line without = is no key", "[S]\r\nk\r\n", "S", "k", std::nullopt},
      {"first of duplicate keys", "[S]\r\nk=1\r\nk=2\r\n", "S", "k", "1"},
      {"first of duplicate sections", "[S]\r\nk=1\r\n[S]\r\nk=2\r\n", "S", "k", "1"},
      {"second duplicate section not searched", "[S]\r\na=1\r\n[s]\r\nk=2\r\n", "S", "k",
       std::nullopt},
      {"header without ] is no header", "[S\r\nk=v\r\n", "S", "k", std::nullopt},
      {"prefix of key is no match", "[S]\r\nkey=v\r\n", "S", "k", std::nullopt},
      {"prefix of section is no match", "[PPP1:]\r\nk=v\r\n", "PPP1", "k", std::nullopt},
      {"empty key asked", "[S]\r\n=v\r\n", "S", "", std::nullopt},
      {"empty section asked", "[]\r\nk=v\r\n", "", "k", std::nullopt},
      {"NUL ends the value", std::string("[S]\r\nk=a\0b\r\n", 12), "S", "k", "a"},
      {"NUL ends the line", std::string("[S]\r\nk\0=b\r\n", 12), "S", "k", std::nullopt},
      {"CR-only lines", "[S]\rk=v\r", "S", "k", "v"},
      {"mixed line ends", "[S]\r\na=1\rk=v\n", "S", "k", "v"},
  };
  for (const ReadCase& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(ReadIniValue(c.text, c.section, c.key), c.expected);
  }
}

struct WriteCase {
  const char* name;
  std::string before;
  std::string section;
  std::string key;
  std::string value;
  std::string after;
};

TEST(IniTextTest, WritesOnlyTheLineConcerned) {
  const std::vector<WriteCase> cases = {
      {"new file", "", "PPP1:", "SaveType", "1", "[PPP1:]\r\nSaveType=1\r\n"},
      {"new section at end", "[A]\r\nx=1\r\n", "B", "k", "v", "[A]\r\nx=1\r\n[B]\r\nk=v\r\n"},
      {"new section after unterminated line", "[A]\r\nx=1", "B", "k", "v",
       "[A]\r\nx=1\r\n[B]\r\nk=v\r\n"},
      {"new key at end of its section", "[A]\r\nx=1\r\n\r\n[B]\r\ny=2\r\n", "A", "k", "v",
       "[A]\r\nx=1\r\nk=v\r\n\r\n[B]\r\ny=2\r\n"},
      {"new key in empty section", "[A]\r\n[B]\r\n", "a", "k", "v", "[A]\r\nk=v\r\n[B]\r\n"},
      {"new key after last entry, before comment", "[A]\r\nx=1\r\n; B follows\r\n[B]\r\n", "A", "k",
       "v", "[A]\r\nx=1\r\nk=v\r\n; B follows\r\n[B]\r\n"},
      {"new key after unterminated last line", "[A]\r\nx=1", "A", "k", "v",
       "[A]\r\nx=1\r\nk=v\r\n"},
      {"replace in place, spelling of file kept", "[A]\r\n  Key = old \r\nz=9\r\n", "a", "KEY",
       "new", "[A]\r\nKey=new\r\nz=9\r\n"},
      {"replace CR-only line, others untouched", "[A]\rk=1\rz=9\r", "A", "k", "2",
       "[A]\rk=2\r\nz=9\r"},
      {"new section after CR-only line", "[A]\rx=1\r", "B", "k", "v", "[A]\rx=1\r[B]\r\nk=v\r\n"},
      {"replace LF-only line, others untouched", "[A]\nk=1\nz=9\n", "A", "k", "2",
       "[A]\nk=2\r\nz=9\n"},
      {"value written as it is", "", "A", "k", " \"q\" ", "[A]\r\nk= \"q\" \r\n"},
      {"empty value", "[A]\r\nk=1\r\n", "A", "k", "", "[A]\r\nk=\r\n"},
      {"first duplicate key replaced", "[A]\r\nk=1\r\nk=2\r\n", "A", "k", "3",
       "[A]\r\nk=3\r\nk=2\r\n"},
      {"first duplicate section used", "[A]\r\nx=1\r\n[A]\r\nk=2\r\n", "A", "k", "3",
       "[A]\r\nx=1\r\nk=3\r\n[A]\r\nk=2\r\n"},
      {"comment and junk kept", "; top\r\n[A]\r\njunk line\r\n;k=c\r\n", "A", "k", "v",
       "; top\r\n[A]\r\nk=v\r\njunk line\r\n;k=c\r\n"},
  };
  for (const WriteCase& c : cases) {
    SCOPED_TRACE(c.name);
    std::optional<std::string> after = WriteIniValue(c.before, c.section, c.key, c.value);
    ASSERT_TRUE(after.has_value());
    EXPECT_EQ(*after, c.after);
    // What was written reads back as the value would from any file.
    EXPECT_EQ(ReadIniValue(*after, c.section, c.key), ReadIniValue("[s]\nk=" + c.value, "s", "k"));
  }
}

TEST(IniTextTest, RefusesEntriesThatWouldChangeTheFileStructure) {
  struct Case {
    const char* name;
    std::string section, key, value;
  };
  const std::vector<Case> cases = {
      {"empty section", "", "k", "v"},          {"empty key", "S", "", "v"},
      {"] in section", "a]b", "k", "v"},        {"line break in section", "a\r\nb", "k", "v"},
      {"blank around section", " S", "k", "v"}, {"= in key", "S", "a=b", "v"},
      {"; starts key", "S", ";k", "v"},         {"[ starts key", "S", "[k", "v"},
      {"blank around key", "S", "k ", "v"},     {"LF in value", "S", "k", "a\nb=c"},
      {"CR in value", "S", "k", "a\rb"},        {"NUL in value", "S", "k", std::string("a\0b", 3)},
  };
  const std::string before = "[S]\r\nk=old\r\n";
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    // Nothing to write: the caller keeps the file as it is.
    EXPECT_EQ(WriteIniValue(before, c.section, c.key, c.value), std::nullopt);
  }
}

struct RemoveCase {
  const char* name;
  std::string before;
  std::string section;
  std::string after;
};

TEST(IniTextTest, RemovesSectionHeaderAndKeys) {
  const std::vector<RemoveCase> cases = {
      {"middle", "[A]\r\na=1\r\n[PPP1:]\r\nx=1\r\ny=2\r\n[B]\r\nb=2\r\n",
       "ppp1:", "[A]\r\na=1\r\n[B]\r\nb=2\r\n"},
      {"last", "[A]\r\na=1\r\n[B]\r\nb=2", "B", "[A]\r\na=1\r\n"},
      {"only", "[A]\r\na=1\r\n", "A", ""},
      {"every duplicate", "[A]\r\na=1\r\n[B]\r\n[a]\r\nc=3\r\n", "A", "[B]\r\n"},
      {"absent", "; c\r\n[A]\r\na=1\n", "B", "; c\r\n[A]\r\na=1\n"},
      {"lines before first section kept", "top\r\n[A]\r\na=1\r\n", "A", "top\r\n"},
      {"unstorable name removes nothing", "[]\r\na=1\r\n", "", "[]\r\na=1\r\n"},
  };
  for (const RemoveCase& c : cases) {
    SCOPED_TRACE(c.name);
    std::string after = RemoveIniSection(c.before, c.section);
    EXPECT_EQ(after, c.after);
    EXPECT_EQ(ReadIniValue(after, c.section, "a"), std::nullopt);
  }
}

TEST(IniTextTest, BinaryJunkIsKeptAndDoesNotHideKeys) {
  std::string junk;
  for (int i = 0; i < 256; ++i) junk.push_back(static_cast<char>(i));
  const std::string text = junk + "\r\n[A]\r\n" + junk + "\r\nk=v\r\n" + junk;
  EXPECT_EQ(ReadIniValue(text, "A", "k"), "v");

  std::optional<std::string> written = WriteIniValue(text, "A", "k", "w");
  ASSERT_TRUE(written.has_value());
  EXPECT_EQ(*written, junk + "\r\n[A]\r\n" + junk + "\r\nk=w\r\n" + junk);

  // A key added after junk with no line end of its own starts a line.
  written = WriteIniValue(text, "B", "n", "1");
  ASSERT_TRUE(written.has_value());
  EXPECT_EQ(*written, text + "\r\n[B]\r\nn=1\r\n");
  EXPECT_EQ(RemoveIniSection(*written, "B"), text + "\r\n");
}

TEST(IniTextTest, HundredThousandLines) {
  std::string text = "[A]\r\n";
  for (int i = 0; i < 100000; ++i)
    text += "key" + std::to_string(i) + "=" + std::to_string(i) + "\r\n";
  text += "[B]\r\nlast=end\r\n";

  EXPECT_EQ(ReadIniValue(text, "A", "key99999"), "99999");
  EXPECT_EQ(ReadIniValue(text, "B", "last"), "end");

  std::optional<std::string> written = WriteIniValue(text, "A", "key50000", "x");
  ASSERT_TRUE(written.has_value());
  std::string expected = text;
  expected.replace(expected.find("key50000=50000"), 14, "key50000=x");
  EXPECT_EQ(*written, expected);

  written = WriteIniValue(text, "A", "new", "1");
  ASSERT_TRUE(written.has_value());
  EXPECT_EQ(*written, text.substr(0, text.find("[B]")) + "new=1\r\n[B]\r\nlast=end\r\n");

  EXPECT_EQ(RemoveIniSection(text, "A"), "[B]\r\nlast=end\r\n");
}

// Which files hold legacy lines, and how their lines are split: only an
// 8-bit file that is not UTF-8 is converted, line by line, each line ending
// (CR LF, LF, a lone CR) where the system's profile functions end it.
TEST(IniTextTest, LegacyLinesByEncodingAndLineEnds) {
  const std::string utf16 = std::string("\xFF\xFE[\0G\0]\0\r\0\n\0", 12);
  const struct {
    const char* what;
    std::string text;
    std::optional<std::string> converted;
  } cases[] = {
      {"UTF-8", "[A]\r\nv=Caf\xC3\xA9\r\n", std::nullopt},
      {"UTF-16LE with its mark", utf16, std::nullopt},
      {"UTF-16BE with its mark", "\xFE\xFF\0[\0G\0]", std::nullopt},
      {"a NUL byte", std::string("[A]\r\nv=\xE9\0x\r\n", 11), std::nullopt},
      {"CR LF", "[A]\r\nv=J\xFCrgen\r\nw=Caf\xC3\xA9\r\n",
       "[A]\r\nv=J\xC3\xBCrgen\r\nw=Caf\xC3\xA9\r\n"},
      {"lone CRs: the UTF-8 line stays as it is", "[A]\rw=Caf\xC3\xA9\rv=J\xFCrgen\r",
       "[A]\rw=Caf\xC3\xA9\rv=J\xC3\xBCrgen\r"},
      {"LF, and a last line without an end", "w=Caf\xC3\xA9\nv=\xFC", "w=Caf\xC3\xA9\nv=\xC3\xBC"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(platform::LegacyLinesAsUtf8(c.text, platform::Windows1252ToUtf8), c.converted);
  }
}

}  // namespace
