// One .reg fixture seeds both worlds: regedit imports it into the system
// registry, and ImportRegFile reads it into a tree; the values must agree.
#include <gtest/gtest.h>
#include <process.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "platform/rules/reg_file.h"
#include "platform/win32/win32_backends.h"
#include "support/scratch_dir.h"

namespace {

using platform::kKeyRead;

std::string Fixture(const std::string& key) {
  std::string root = "[HKEY_LOCAL_MACHINE\\" + key;
  return "Windows Registry Editor Version 5.00\r\n"
         "\r\n" +
         root + "]\r\n" + "@=\"default text\"\r\n" +
         "\"Arguments\"=\"C:\\\\My PDF\\\\setup.exe %1 \\\"PPP1:\\\"\"\r\n"
         "\"Delay\"=dword:0000012c\r\n"
         "\"GS_DLL\"=hex(2):43,00,3a,00,5c,00,67,00,73,00,5c,00,67,00,73,00,64,00,6c,00,\\\r\n"
         "  6c,00,33,00,32,00,2e,00,64,00,6c,00,6c,00,00,00\r\n"
         "\"Raw\"=hex:00,01,fe,ff\r\n"
         "\"Gone\"=\"soon\"\r\n"
         "\"Gone\"=-\r\n"
         "\r\n" +
         root + "\\Zeta]\r\n" + "\r\n" + root + "\\alpha]\r\n" + "\"Port\"=\"PPP1:\"\r\n" + "\r\n" +
         root + "\\Removed]\r\n" + "\r\n" + "[-HKEY_LOCAL_MACHINE\\" + key + "\\Removed]\r\n";
}

TEST(WineRegeditImportTest, RegeditAndImportRegFileReadTheSameValues) {
  testing_support::ScratchDir dir;
  const std::string key =
      "SOFTWARE\\PdfPrinterTests\\Import" +
      std::to_string(std::chrono::steady_clock::now().time_since_epoch().count());
  const std::string file = dir.File("fixture.reg");
  const std::string text = Fixture(key);
  testing_support::WriteBytes(file, platform::Utf16RegFile(text));

  auto registry = platform::win32::MakeRegistry();
  const char* windows = std::getenv("windir");
  ASSERT_NE(windows, nullptr);
  const std::string regedit = std::string(windows) + "\\regedit.exe";
  ASSERT_EQ(_spawnl(_P_WAIT, regedit.c_str(), "regedit.exe", "/s", file.c_str(), nullptr), 0)
      << regedit << ": " << std::strerror(errno);

  platform::RegistryTree tree;
  platform::RegFileResult parsed = platform::ImportRegFile(text, tree);
  ASSERT_TRUE(parsed.recognized);
  ASSERT_TRUE(parsed.problems.empty());
  platform::RegistryTree fromUtf16;
  platform::ImportRegFile(platform::Utf16RegFile(text), fromUtf16);
  EXPECT_EQ(platform::ExportRegFile(fromUtf16), platform::ExportRegFile(tree));
  const platform::RegistryTree::Key* expected = tree.Find("HKEY_LOCAL_MACHINE\\" + key);
  ASSERT_NE(expected, nullptr);

  auto imported = registry->OpenKey(key, kKeyRead);
  ASSERT_NE(imported, nullptr);
  for (const char* name : {"", "Arguments", "Delay", "GS_DLL", "Raw", "Gone"}) {
    SCOPED_TRACE(name);
    std::optional<platform::RegistryValue> actual = imported->ReadValue(name);
    const platform::RegistryValue* want = expected->Value(name);
    ASSERT_EQ(actual.has_value(), want != nullptr);
    if (!want) continue;
    EXPECT_EQ(actual->type, want->type);
    EXPECT_EQ(actual->data, want->data);
  }

  // The registry sorts subkeys by name; the tree keeps the file's order.
  std::vector<std::string> actualNames = imported->SubkeyNames();
  std::vector<std::string> expectedNames;
  for (const auto& subkey : expected->subkeys) expectedNames.push_back(subkey->name);
  EXPECT_EQ(expectedNames, (std::vector<std::string>{"Zeta", "alpha"}));
  std::sort(actualNames.begin(), actualNames.end());
  std::sort(expectedNames.begin(), expectedNames.end());
  EXPECT_EQ(actualNames, expectedNames);

  auto alpha = registry->OpenKey(key + "\\alpha", kKeyRead);
  ASSERT_NE(alpha, nullptr);
  EXPECT_EQ(platform::RegistryText(*alpha->ReadValue("Port")), "PPP1:");

  imported.reset();
  alpha.reset();
  EXPECT_TRUE(registry->DeleteKeyTree(key));
}

}  // namespace
