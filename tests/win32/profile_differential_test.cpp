// The system's GetPrivateProfileStringA (here: Wine's) and our own engine
// read the same files. Where they differ, our rules win; those rows state
// the system's answer too, so the test notices when the system changes.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "platform/rules/ini_text.h"
#include "platform/win32/win32_backends.h"
#include "support/scratch_dir.h"

namespace {

constexpr char kDefault[] = "<default>";

struct Row {
  const char* name;
  std::optional<std::string> text;  // nullopt: no file at all
  std::string section;
  std::string key;
  std::string expected;                                  // our rules
  std::optional<std::string> systemSays = std::nullopt;  // only where the system differs
};

std::string Long(char c, size_t n) { return std::string(n, c); }

TEST(ProfileDifferentialTest, SystemAndEngineReadFilesAlike) {
  const std::vector<Row> rows = {
      {"plain", "[S]\r\nk=v\r\n", "S", "k", "v"},
      {"section case", "[GhostScript]\r\nLocation=c:\\gs\r\n", "GHOSTSCRIPT", "location", "c:\\gs"},
      {"[ppp1:] is PPP1:", "[ppp1:]\r\nSaveType=1\r\n", "PPP1:", "SaveType", "1"},
      {"blanks around value", "[S]\r\nk=   1   \r\n", "S", "k", "1"},
      {"tabs around value", "[S]\r\nk=\t1\t\r\n", "S", "k", "1"},
      {"blanks around key", "[S]\r\n  k  =v\r\n", "S", "k", "v"},
      {"blanks before header", "  [S]\r\nk=v\r\n", "S", "k", "v"},
      {"blanks inside header", "[ S ]\r\nk=v\r\n", "S", "k", "v"},
      {"text after header", "[S] x\r\nk=v\r\n", "S", "k", "v"},
      {"inner blanks kept", "[S]\r\nk=a  b\r\n", "S", "k", "a  b"},
      {"double quotes", "[S]\r\nk=\"d:\\pdf out\"\r\n", "S", "k", "d:\\pdf out"},
      {"single quotes", "[S]\r\nk='x'\r\n", "S", "k", "x"},
      {"quotes inside blanks", "[S]\r\nk=  \"x\"  \r\n", "S", "k", "x"},
      {"blanks inside quotes kept", "[S]\r\nk=\" x \"\r\n", "S", "k", " x "},
      {"unbalanced quote kept", "[S]\r\nk=\"x\r\n", "S", "k", "\"x"},
      {"trailing quote kept", "[S]\r\nk=x\"\r\n", "S", "k", "x\""},
      {"mixed quotes kept", "[S]\r\nk=\"x'\r\n", "S", "k", "\"x'"},
      {"lone quote kept", "[S]\r\nk=\"\r\n", "S", "k", "\""},
      {"empty quotes", "[S]\r\nk=\"\"\r\n", "S", "k", ""},
      {"empty value", "[S]\r\nk=\r\n", "S", "k", ""},
      {"equals in value", "[S]\r\nk=a=b\r\n", "S", "k", "a=b"},
      {"hex as text", "[S]\r\nk=0x1F\r\n", "S", "k", "0x1F"},
      {"dollar as text", "[S]\r\nk=$1\r\n", "S", "k", "$1"},
      {"2047 chars", "[S]\r\nk=" + Long('a', 2047) + "\r\n", "S", "k", Long('a', 2047)},
      {"3000 chars cut", "[S]\r\nk=" + Long('a', 2047) + Long('b', 953) + "\r\n", "S", "k",
       Long('a', 2047)},
      {"3000 quoted chars cut", "[S]\r\nk=\"" + Long('q', 3000) + "\"\r\n", "S", "k",
       Long('q', 2047)},
      {"LF-only lines", "[S]\nk=v\n", "S", "k", "v"},
      {"no final line end", "[S]\r\nk=v", "S", "k", "v"},
      {"missing file", std::nullopt, "S", "k", kDefault},
      {"empty file", "", "S", "k", kDefault},
      {"missing section", "[T]\r\nk=v\r\n", "S", "k", kDefault},
      {"missing key", "[S]\r\nother=v\r\n", "S", "k", kDefault},
      {"prefix of section", "[PPP1:]\r\nk=v\r\n", "PPP1", "k", kDefault},
      {"prefix of key", "[S]\r\nkey=v\r\n", "S", "k", kDefault},
      {"key of next section", "[S]\r\n[T]\r\nk=v\r\n", "S", "k", kDefault},
      {"comment line skipped", "[S]\r\n;k=1\r\nk=2\r\n", "S", "k", "2"},
      {"commented-out key absent", "[S]\r\n;k=1\r\n", "S", "k", kDefault},
      {"blank lines", "\r\n[S]\r\n\r\n\r\nk=v\r\n\r\n", "S", "k", "v"},
      {"duplicate key: first", "[S]\r\nk=1\r\nk=2\r\n", "S", "k", "1"},
      {"duplicate section: first", "[S]\r\nk=1\r\n[s]\r\nk=2\r\n", "S", "k", "1"},
      {"duplicate section: second not searched", "[S]\r\na=1\r\n[S]\r\nk=2\r\n", "S", "k",
       kDefault},
      {"line without =", "[S]\r\nk\r\n", "S", "k", kDefault},
      {"line without = then key", "[S]\r\njunk\r\nk=v\r\n", "S", "k", "v"},
      {"key before any section", "k=v\r\n[S]\r\n", "S", "k", kDefault},
      {"header without ]", "[S\r\nk=v\r\n", "S", "k", kDefault},
      {"only blanks", "[S]\r\nk=  \t \r\n", "S", "k", ""},
      {"tab before header", "\t[S]\r\nk=v\r\n", "S", "k", "v"},
      {"tab after key", "[S]\r\nk\t=v\r\n", "S", "k", "v"},
      // Wine's header runs to the last "]", so it names the section "a]b".
      {"header up to first ]", "[a]b]\r\nk=v\r\n", "a", "k", "v", kDefault},
      {"CR-only line ends", "[S]\rk=v\r", "S", "k", "v"},
      {"case folding is ASCII only", "[\xC4rger]\r\nk=v\r\n", "\xE4rger", "k", kDefault},
      {"NUL ends the value", std::string("[S]\r\nk=a\0b\r\n", 12), "S", "k", "a"},
      {"binary junk line", "[S]\r\n\x01\x02\xff\xfe\r\nk=v\r\n", "S", "k", "v"},
  };

  testing_support::ScratchDir scratch;
  auto system = platform::win32::MakeProfile();
  int n = 0;
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    const std::string file = scratch.File("case" + std::to_string(n++) + ".ini");
    if (row.text) testing_support::WriteBytes(file, *row.text);
    std::string ours =
        row.text ? platform::ReadIniValue(*row.text, row.section, row.key).value_or(kDefault)
                 : kDefault;
    EXPECT_EQ(ours, row.expected);
    EXPECT_EQ(system->ReadString(file, row.section, row.key, kDefault),
              row.systemSays.value_or(row.expected));
  }
}

}  // namespace
