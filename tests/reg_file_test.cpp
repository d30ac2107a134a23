#include "platform/rules/reg_file.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace platform {
namespace {

const std::string kHeader = "Windows Registry Editor Version 5.00\r\n\r\n";

RegistryValue Sz(const std::string& text) { return {kRegSz, text + '\0'}; }

struct ImportCase {
  const char* label;
  std::string body;  // after the header line
  std::string keyPath;
  std::string valueName;
  std::optional<RegistryValue> expected;  // nothing: the value must be absent
  size_t problems;
};

TEST(RegFileImportTest, ReadsEachFormAndSkipsOnlyWhatIsMalformed) {
  const ImportCase cases[] = {
      {"plain text", "[HKEY_LOCAL_MACHINE\\S]\r\n\"Name\"=\"PDF Printer\"\r\n",
       "HKEY_LOCAL_MACHINE\\S", "Name", Sz("PDF Printer"), 0},
      {"escaped backslash and quote",
       "[HKEY_LOCAL_MACHINE\\S]\r\n\"A\"=\"C:\\\\PDF\\\\setup.exe %1 \\\"PPP1:\\\"\"\r\n",
       "HKEY_LOCAL_MACHINE\\S", "A", Sz("C:\\PDF\\setup.exe %1 \"PPP1:\""), 0},
      {"other backslash kept as it is", "[HKEY_LOCAL_MACHINE\\S]\r\n\"A\"=\"x\\ny\"\r\n",
       "HKEY_LOCAL_MACHINE\\S", "A", Sz("x\\ny"), 0},
      {"escaped quote in the name", "[HKEY_LOCAL_MACHINE\\S]\r\n\"Say \\\"hi\\\"\"=\"x\"\r\n",
       "HKEY_LOCAL_MACHINE\\S", "Say \"hi\"", Sz("x"), 0},
      {"dword", "[HKEY_LOCAL_MACHINE\\S]\r\n\"Delay\"=dword:0000012c\r\n", "HKEY_LOCAL_MACHINE\\S",
       "Delay", RegistryValue{kRegDword, std::string("\x2c\x01\x00\x00", 4)}, 0},
      {"dword upper case, short", "[HKEY_LOCAL_MACHINE\\S]\r\n\"D\"=DWORD:FF\r\n",
       "HKEY_LOCAL_MACHINE\\S", "D", RegistryValue{kRegDword, std::string("\xff\x00\x00\x00", 4)},
       0},
      {"expandable text from UTF-16LE",
       "[HKEY_LOCAL_MACHINE\\S]\r\n\"GS_DLL\"=hex(2):25,00,50,00,e9,00,00,00\r\n",
       "HKEY_LOCAL_MACHINE\\S", "GS_DLL", RegistryValue{kRegExpandSz, std::string("%P\xe9\0", 4)},
       0},
      {"code unit above Latin-1 reads as ?",
       "[HKEY_LOCAL_MACHINE\\S]\r\n\"T\"=hex(1):ac,20,00,00\r\n", "HKEY_LOCAL_MACHINE\\S", "T",
       RegistryValue{kRegSz, std::string("?\0", 2)}, 0},
      {"binary", "[HKEY_LOCAL_MACHINE\\S]\r\n\"GS_DLL\"=hex:de,ad,00,ef\r\n",
       "HKEY_LOCAL_MACHINE\\S", "GS_DLL",
       RegistryValue{kRegBinary, std::string("\xde\xad\x00\xef", 4)}, 0},
      {"empty binary", "[HKEY_LOCAL_MACHINE\\S]\r\n\"E\"=hex:\r\n", "HKEY_LOCAL_MACHINE\\S", "E",
       RegistryValue{kRegBinary, ""}, 0},
      {"generic type number is hex",
       "[HKEY_LOCAL_MACHINE\\S]\r\n\"Q\"=hex(b):01,00,00,00,00,00,00,00\r\n",
       "HKEY_LOCAL_MACHINE\\S", "Q", RegistryValue{11, std::string("\x01\0\0\0\0\0\0\0", 8)}, 0},
      {"continuation lines",
       "[HKEY_LOCAL_MACHINE\\S]\r\n\"B\"=hex:01,02,\\\r\n  03,\\\r\n  04\r\n\"After\"=\"ok\"\r\n",
       "HKEY_LOCAL_MACHINE\\S", "B", RegistryValue{kRegBinary, "\x01\x02\x03\x04"}, 0},
      {"line after continuation is a value again",
       "[HKEY_LOCAL_MACHINE\\S]\r\n\"B\"=hex:01,\\\r\n  02\r\n\"After\"=\"ok\"\r\n",
       "HKEY_LOCAL_MACHINE\\S", "After", Sz("ok"), 0},
      {"default value", "[HKEY_LOCAL_MACHINE\\S]\r\n@=\"dflt\"\r\n", "HKEY_LOCAL_MACHINE\\S", "",
       Sz("dflt"), 0},
      {"LF lines and blanks around =", "[HKEY_LOCAL_MACHINE\\S]\n\"N\" = \"v\"\n",
       "HKEY_LOCAL_MACHINE\\S", "N", Sz("v"), 0},
      {"comment ignored", "; written by hand\r\n[HKEY_LOCAL_MACHINE\\S]\r\n\"N\"=\"v\"\r\n",
       "HKEY_LOCAL_MACHINE\\S", "N", Sz("v"), 0},
      {"value deletion", "[HKEY_LOCAL_MACHINE\\S]\r\n\"Gone\"=\"x\"\r\n\"Gone\"=-\r\n",
       "HKEY_LOCAL_MACHINE\\S", "Gone", std::nullopt, 0},
      {"key deletion takes subkeys",
       "[HKEY_LOCAL_MACHINE\\S\\Sub]\r\n\"V\"=\"x\"\r\n[-HKEY_LOCAL_MACHINE\\S]\r\n",
       "HKEY_LOCAL_MACHINE\\S\\Sub", "V", std::nullopt, 0},
      {"deleting an absent key is no problem",
       "[-HKEY_LOCAL_MACHINE\\Nothing]\r\n[HKEY_LOCAL_MACHINE\\S]\r\n\"V\"=\"x\"\r\n",
       "HKEY_LOCAL_MACHINE\\S", "V", Sz("x"), 0},
      {"names case-insensitive, later write wins",
       "[HKEY_LOCAL_MACHINE\\Soft]\r\n\"a\"=\"1\"\r\n[hkey_local_machine\\SOFT]\r\n\"A\"=\"2\"\r\n",
       "HKEY_LOCAL_MACHINE\\soft", "a", Sz("2"), 0},
      {"bad dword skipped, next value kept",
       "[HKEY_LOCAL_MACHINE\\S]\r\n\"D\"=dword:xyz\r\n\"N\"=\"v\"\r\n", "HKEY_LOCAL_MACHINE\\S",
       "N", Sz("v"), 1},
      {"bad dword gives no value", "[HKEY_LOCAL_MACHINE\\S]\r\n\"D\"=dword:123456789\r\n",
       "HKEY_LOCAL_MACHINE\\S", "D", std::nullopt, 1},
      {"bad hex gives no value", "[HKEY_LOCAL_MACHINE\\S]\r\n\"B\"=hex:0g,01\r\n",
       "HKEY_LOCAL_MACHINE\\S", "B", std::nullopt, 1},
      {"odd UTF-16 length gives no value", "[HKEY_LOCAL_MACHINE\\S]\r\n\"X\"=hex(2):41,00,00\r\n",
       "HKEY_LOCAL_MACHINE\\S", "X", std::nullopt, 1},
      {"text after closing quote", "[HKEY_LOCAL_MACHINE\\S]\r\n\"A\"=\"x\" y\r\n",
       "HKEY_LOCAL_MACHINE\\S", "A", std::nullopt, 1},
      {"unterminated text", "[HKEY_LOCAL_MACHINE\\S]\r\n\"A\"=\"x\r\n", "HKEY_LOCAL_MACHINE\\S",
       "A", std::nullopt, 1},
      {"junk line skipped", "[HKEY_LOCAL_MACHINE\\S]\r\nthis is junk\r\n\"N\"=\"v\"\r\n",
       "HKEY_LOCAL_MACHINE\\S", "N", Sz("v"), 1},
      {"header without bracket: its values go nowhere",
       "[HKEY_LOCAL_MACHINE\\S]\r\n[HKEY_LOCAL_MACHINE\\B\r\n\"V\"=\"1\"\r\n",
       "HKEY_LOCAL_MACHINE\\S", "V", std::nullopt, 1},
      {"next header after a bad one works",
       "[HKEY_LOCAL_MACHINE\\B\r\n\"V\"=\"1\"\r\n[HKEY_LOCAL_MACHINE\\S]\r\n\"V\"=\"2\"\r\n",
       "HKEY_LOCAL_MACHINE\\S", "V", Sz("2"), 1},
      {"unknown root refused", "[HKEY_NOWHERE\\S]\r\n\"V\"=\"1\"\r\n", "HKEY_NOWHERE\\S", "V",
       std::nullopt, 1},
      {"value before any key", "\"V\"=\"1\"\r\n[HKEY_LOCAL_MACHINE\\S]\r\n",
       "HKEY_LOCAL_MACHINE\\S", "V", std::nullopt, 1},
  };
  for (const ImportCase& c : cases) {
    SCOPED_TRACE(c.label);
    RegistryTree tree;
    RegFileResult result = ImportRegFile(kHeader + c.body, tree);
    EXPECT_TRUE(result.recognized);
    EXPECT_EQ(result.problems.size(), c.problems);
    const RegistryTree::Key* key = tree.Find(c.keyPath);
    const RegistryValue* value = key ? key->Value(c.valueName) : nullptr;
    if (!c.expected) {
      EXPECT_EQ(value, nullptr);
      continue;
    }
    ASSERT_NE(value, nullptr);
    EXPECT_EQ(value->type, c.expected->type);
    EXPECT_EQ(value->data, c.expected->data);
  }
}

TEST(RegFileImportTest, ProblemsNameTheLine) {
  RegistryTree tree;
  RegFileResult result =
      ImportRegFile(kHeader + "[HKEY_LOCAL_MACHINE\\S]\r\n\"B\"=hex:zz\r\n", tree);
  ASSERT_EQ(result.problems.size(), 1u);
  EXPECT_EQ(result.problems[0].rfind("line 4: ", 0), 0u) << result.problems[0];
}

TEST(RegFileImportTest, TextWithoutHeaderIsRefusedAndChangesNothing) {
  RegistryTree tree;
  tree.Create("HKEY_LOCAL_MACHINE\\Kept").SetValue("V", Sz("old"));
  const std::string texts[] = {
      "[HKEY_LOCAL_MACHINE\\Kept]\r\n\"V\"=\"new\"\r\n",
      "REGEDIT4\r\n\r\n[HKEY_LOCAL_MACHINE\\Kept]\r\n\"V\"=\"new\"\r\n",
      std::string("\x7f\x45\x4c\x46\x00\x01", 6),
  };
  for (const std::string& text : texts) {
    SCOPED_TRACE(text);
    RegFileResult result = ImportRegFile(text, tree);
    EXPECT_FALSE(result.recognized);
    EXPECT_EQ(result.problems.size(), 1u);
    EXPECT_EQ(tree.Find("HKEY_LOCAL_MACHINE\\Kept")->Value("V")->data, Sz("old").data);
  }
}

TEST(RegFileImportTest, EmptyTextIsAnEmptyExport) {
  RegistryTree tree;
  RegFileResult result = ImportRegFile("\r\n", tree);
  EXPECT_TRUE(result.recognized);
  EXPECT_TRUE(result.problems.empty());
  EXPECT_TRUE(tree.Top().subkeys.empty());
}

TEST(RegFileImportTest, ReadsUtf16FileAsRegeditWritesIt) {
  std::string narrow = kHeader + "[HKEY_LOCAL_MACHINE\\S]\r\n\"N\"=\"v\xe9\"\r\n";
  std::string wide = "\xff\xfe";
  for (char c : narrow) {
    wide.push_back(c);
    wide.push_back('\0');
  }
  RegistryTree tree;
  ASSERT_TRUE(ImportRegFile(wide, tree).recognized);
  const RegistryTree::Key* key = tree.Find("HKEY_LOCAL_MACHINE\\S");
  ASSERT_NE(key, nullptr);
  ASSERT_NE(key->Value("N"), nullptr);
  EXPECT_EQ(key->Value("N")->data, Sz("v\xe9").data);
}

struct ExportCase {
  const char* label;
  std::string name;
  uint32_t type;
  std::string data;
  std::string line;
};

TEST(RegFileExportTest, WritesEachValueInTheFormRegeditUses) {
  const ExportCase cases[] = {
      {"text with escapes", "Arguments", kRegSz,
       std::string("C:\\PDF\\setup.exe %1 \"PPP1:\"\0", 28),
       "\"Arguments\"=\"C:\\\\PDF\\\\setup.exe %1 \\\"PPP1:\\\"\""},
      {"default value", "", kRegSz, std::string("x\0", 2), "@=\"x\""},
      {"dword", "Delay", kRegDword, std::string("\x2c\x01\x00\x00", 4), "\"Delay\"=dword:0000012c"},
      {"dword of wrong size stays hex", "D", kRegDword, "\x01\x02", "\"D\"=hex(4):01,02"},
      {"text without terminator", "T", kRegSz, "ab", "\"T\"=hex(1):61,00,62,00"},
      {"text with a line break", "T", kRegSz, std::string("a\nb\0", 4),
       "\"T\"=hex(1):61,00,0a,00,62,00,00,00"},
      {"expandable text as UTF-16LE", "GS_DLL", kRegExpandSz, std::string("%P\0", 3),
       "\"GS_DLL\"=hex(2):25,00,50,00,00,00"},
      {"binary", "B", kRegBinary, std::string("\xde\xad\x00", 3), "\"B\"=hex:de,ad,00"},
      {"empty binary", "B", kRegBinary, "", "\"B\"=hex:"},
  };
  for (const ExportCase& c : cases) {
    SCOPED_TRACE(c.label);
    RegistryTree tree;
    tree.Create("HKEY_LOCAL_MACHINE\\S").SetValue(c.name, {c.type, c.data});
    EXPECT_EQ(
        ExportRegFile(tree),
        kHeader + "[HKEY_LOCAL_MACHINE]\r\n\r\n[HKEY_LOCAL_MACHINE\\S]\r\n" + c.line + "\r\n\r\n");
  }
}

TEST(RegFileExportTest, LongHexWrapsWithinEightyColumns) {
  RegistryTree tree;
  tree.Create("HKEY_LOCAL_MACHINE\\S").SetValue("Blob", {kRegBinary, std::string(100, '\x5a')});
  std::string text = ExportRegFile(tree);
  size_t start = text.find("\"Blob\"");
  ASSERT_NE(start, std::string::npos);
  int lines = 0;
  for (size_t end; (end = text.find("\r\n", start)) != std::string::npos && end > start;
       start = end + 2) {
    std::string line = text.substr(start, end - start);
    EXPECT_LE(line.size(), 80u) << line;
    ++lines;
  }
  EXPECT_GT(lines, 1);
  RegistryTree back;
  ASSERT_TRUE(ImportRegFile(text, back).problems.empty());
  EXPECT_EQ(back.Find("HKEY_LOCAL_MACHINE\\S")->Value("Blob")->data, std::string(100, '\x5a'));
}

TEST(RegFileRoundTripTest, EveryValueKeyAndOrderComesBack) {
  RegistryTree tree;
  RegistryTree::Key& ports = tree.Create("HKEY_LOCAL_MACHINE\\SYSTEM\\Ports");
  ports.AddSubkey("PPP2:").SetValue("Arguments", Sz("/opt/my pdf/setup %1 \"PPP2:\""));
  ports.AddSubkey("PPP10:");  // empty key: must survive too
  ports.AddSubkey("PPP1:").SetValue("Delay", {kRegDword, std::string("\x2c\x01\0\0", 4)});
  RegistryTree::Key& gs = tree.Create("HKEY_LOCAL_MACHINE\\SOFTWARE\\AFPL Ghostscript\\8.54");
  gs.SetValue("GS_DLL", {kRegExpandSz, std::string("C:\\gs\\gsdll32.dll\0", 18)});
  gs.SetValue("", Sz("default"));
  gs.SetValue("Bin", {kRegBinary, std::string("\0\x01\xff", 3)});
  gs.SetValue("Odd", {kRegSz, std::string("a\0b", 3)});
  tree.Create("HKEY_CURRENT_USER\\Software\\Other").SetValue("Keep", Sz("me"));

  std::string text = ExportRegFile(tree);
  RegistryTree back;
  RegFileResult result = ImportRegFile(text, back);
  ASSERT_TRUE(result.recognized);
  EXPECT_TRUE(result.problems.empty());
  EXPECT_EQ(ExportRegFile(back), text);

  const RegistryTree::Key* backPorts = back.Find("HKEY_LOCAL_MACHINE\\SYSTEM\\Ports");
  ASSERT_NE(backPorts, nullptr);
  ASSERT_EQ(backPorts->subkeys.size(), 3u);
  EXPECT_EQ(backPorts->subkeys[0]->name, "PPP2:");
  EXPECT_EQ(backPorts->subkeys[1]->name, "PPP10:");
  EXPECT_EQ(backPorts->subkeys[2]->name, "PPP1:");
  const RegistryValue* odd =
      back.Find("HKEY_LOCAL_MACHINE\\SOFTWARE\\AFPL Ghostscript\\8.54")->Value("Odd");
  ASSERT_NE(odd, nullptr);
  EXPECT_EQ(odd->data, std::string("a\0b", 3));
  ASSERT_NE(back.Find("HKEY_CURRENT_USER\\Software\\Other"), nullptr);
}

TEST(RegFileRoundTripTest, Utf16FormReadsBackTheSame) {
  RegistryTree tree;
  tree.Create("HKEY_LOCAL_MACHINE\\S")
      .SetValue("GS_DLL", {kRegExpandSz, std::string("C:\\gs\xe9\0", 7)});
  std::string text = ExportRegFile(tree);
  std::string wide = Utf16RegFile(text);
  ASSERT_EQ(wide.size(), 2 + 2 * text.size());
  EXPECT_EQ(wide.substr(0, 4), std::string("\xff\xfeW\0", 4));
  RegistryTree back;
  ASSERT_TRUE(ImportRegFile(wide, back).problems.empty());
  EXPECT_EQ(ExportRegFile(back), text);
}

TEST(RegistryTreeTest, NamesMatchWithoutCaseAndKeepTheirFirstSpelling) {
  RegistryTree tree;
  tree.Create("HKEY_LOCAL_MACHINE\\Software\\Zeta");
  tree.Create("hkey_local_machine\\SOFTWARE\\alpha");
  RegistryTree::Key* software = tree.Find("HKEY_LOCAL_MACHINE\\software");
  ASSERT_NE(software, nullptr);
  EXPECT_EQ(software->name, "Software");
  ASSERT_EQ(software->subkeys.size(), 2u);
  EXPECT_EQ(software->subkeys[0]->name, "Zeta");
  EXPECT_EQ(software->subkeys[1]->name, "alpha");

  software->SetValue("Value", Sz("1"));
  software->SetValue("VALUE", Sz("2"));
  ASSERT_EQ(software->values.size(), 1u);
  EXPECT_EQ(software->values[0].first, "Value");
  EXPECT_EQ(software->values[0].second.data, Sz("2").data);

  // Removing keeps the order of the rest; what comes back goes last.
  software->SetValue("b", Sz("b"));
  software->SetValue("c", Sz("c"));
  EXPECT_TRUE(software->RemoveValue("value"));
  EXPECT_FALSE(software->RemoveValue("Value"));
  software->SetValue("C", Sz("C"));
  software->SetValue("Value", Sz("3"));
  std::vector<std::string> names;
  for (const auto& [name, value] : software->values) names.push_back(name + "=" + value.data);
  EXPECT_EQ(names, (std::vector<std::string>{std::string("b=b\0", 4), std::string("c=C\0", 4),
                                             std::string("Value=3\0", 8)}));
  EXPECT_EQ(software->Value("VALUE")->data, Sz("3").data);
  EXPECT_EQ(software->Value("B")->data, Sz("b").data);

  EXPECT_TRUE(tree.Remove("HKEY_LOCAL_MACHINE\\SOFTWARE\\ZETA"));
  tree.Create("HKEY_LOCAL_MACHINE\\Software\\zeta");
  ASSERT_EQ(software->subkeys.size(), 2u);
  EXPECT_EQ(software->subkeys[0]->name, "alpha");
  EXPECT_EQ(software->subkeys[1]->name, "zeta");
  EXPECT_EQ(tree.Find("HKEY_LOCAL_MACHINE\\Software\\ALPHA"), software->subkeys[0].get());
}

TEST(RegistryTreeTest, RemoveTakesTheSubtreeAndRefusesTheTop) {
  RegistryTree tree;
  tree.Create("HKEY_LOCAL_MACHINE\\A\\B\\C");
  tree.Create("HKEY_LOCAL_MACHINE\\A2");
  EXPECT_FALSE(tree.Remove(""));
  EXPECT_FALSE(tree.Remove("HKEY_LOCAL_MACHINE\\Missing"));
  EXPECT_TRUE(tree.Remove("HKEY_LOCAL_MACHINE\\a"));
  EXPECT_EQ(tree.Find("HKEY_LOCAL_MACHINE\\A\\B\\C"), nullptr);
  EXPECT_NE(tree.Find("HKEY_LOCAL_MACHINE\\A2"), nullptr);
}

}  // namespace
}  // namespace platform
