#include "settings/settings_file.h"

#include <gtest/gtest.h>

#include "platform/error.h"
#include "platform/fake/fake_process_info.h"
#include "platform/fake/fake_services.h"
#include "platform/services.h"
#include "support/scratch_dir.h"

namespace {

TEST(SettingsFileTest, IntegerTextRule) {
  struct {
    std::string text;
    std::optional<int32_t> value;
  } cases[] = {
      {"0", 0},
      {"1", 1},
      {"  7", 7},
      {"+5", 5},
      {"-12", -12},
      {"$1", 1},
      {"$ff", 255},
      {"x1A", 26},
      {"X1a", 26},
      {"0x0", 0},
      {"0X10", 16},
      {"-$10", -16},
      {"$FFFFFFFF", -1},
      {"2147483647", 2147483647},
      {"-2147483648", INT32_MIN},
      {"", std::nullopt},
      {"1a", std::nullopt},
      {"Yes", std::nullopt},
      {"True", std::nullopt},
      {"$", std::nullopt},
      {"0x", std::nullopt},
      {"- 5", std::nullopt},
      {"2147483648", std::nullopt},
      {"$100000000", std::nullopt},
      {"1 ", std::nullopt},
      {"1.0", std::nullopt},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE("\"" + c.text + "\"");
    EXPECT_EQ(settings::ParseInteger(c.text), c.value);
  }
}

class SettingsFileOnDisk : public ::testing::Test {
 protected:
  testing_support::ScratchDir dir;
  std::string path = dir.File("pdfprinter.ini");
};

TEST_F(SettingsFileOnDisk, MissingFileGivesEveryDefault) {
  settings::SettingsFile file(path);
  EXPECT_EQ(file.ReadText("GhostScript", "Location", ""), "");
  EXPECT_EQ(file.ReadText("PPP1:", "SaveToFolder", "c:\\"), "c:\\");
  EXPECT_EQ(file.ReadNumber("PPP1:", "SaveType", 0), 0);
  EXPECT_TRUE(file.ReadFlag("PPP1:", "ShowPDF", true));
}

TEST_F(SettingsFileOnDisk, StoredTextsReadByKind) {
  testing_support::WriteBytes(path,
                              "[ppp1:]\r\nShowPDF=0\r\nSaveType= 1 \r\n"
                              "[PPP2:]\r\nShowPDF=2\r\nSaveType=$1\r\n"
                              "[PPP3:]\r\nShowPDF=0x0\r\nSaveType=1a\r\n"
                              "[PPP4:]\r\nShowPDF=Yes\r\nSaveType=\r\n");
  settings::SettingsFile file(path);
  struct {
    const char* section;
    bool showPdf;
    int32_t saveType;
  } cases[] = {{"PPP1:", false, 1}, {"PPP2:", true, 1}, {"PPP3:", false, 0}, {"PPP4:", true, 0}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.section);
    EXPECT_EQ(file.ReadFlag(c.section, "ShowPDF", true), c.showPdf);
    EXPECT_EQ(file.ReadNumber(c.section, "SaveType", 0), c.saveType);
  }
}

// An earlier version wrote the legacy code page: a text that is not UTF-8
// reads converted where the program's code page is UTF-8, as it is elsewhere.
TEST_F(SettingsFileOnDisk, TextsOfAnEarlierVersionInTheLegacyCodePage) {
  testing_support::WriteBytes(path,
                              "[PPP1:]\r\nSaveToFolder=C:\\J\xFCrgen\r\n"
                              "[PPP2:]\r\nSaveToFolder=C:\\\xD0\x9E\r\n");
  platform::fake::FakeServices fakes;
  settings::SettingsFile file(path);
  EXPECT_EQ(file.ReadText("PPP1:", "SaveToFolder", ""), "C:\\J\xC3\xBCrgen");
  EXPECT_EQ(file.ReadText("PPP2:", "SaveToFolder", ""), "C:\\\xD0\x9E");
  fakes.codePages.utf8Program = false;
  EXPECT_EQ(file.ReadText("PPP1:", "SaveToFolder", ""), "C:\\J\xFCrgen");
}

TEST_F(SettingsFileOnDisk, WritesAreReadBackAndUseTheirTextForms) {
  settings::SettingsFile file(path);
  file.WriteFlag("PPP1:", "ShowPDF", false);
  file.WriteNumber("PPP1:", "SaveType", 1);
  file.WriteText("PPP1:", "SaveToFolder", "D:\\out");
  file.WriteNumber("X", "N", -3);
  EXPECT_FALSE(file.ReadFlag("PPP1:", "ShowPDF", true));
  EXPECT_EQ(file.ReadNumber("PPP1:", "SaveType", 0), 1);
  EXPECT_EQ(file.ReadText("PPP1:", "SaveToFolder", "c:\\"), "D:\\out");
  EXPECT_EQ(file.ReadNumber("X", "N", 0), -3);
  std::string bytes = testing_support::ReadBytes(path);
  EXPECT_NE(bytes.find("ShowPDF=0\r\n"), std::string::npos) << bytes;
  EXPECT_NE(bytes.find("SaveType=1\r\n"), std::string::npos) << bytes;
  file.RemoveSection("PPP1:");
  EXPECT_EQ(file.ReadText("PPP1:", "SaveToFolder", "c:\\"), "c:\\");
  EXPECT_EQ(file.ReadNumber("X", "N", 0), -3);
}

TEST_F(SettingsFileOnDisk, RefusedWriteRaisesWithThePathAndKeepsTheFile) {
  // A folder where the file should be: no one can write it, root included.
  std::string blocked = dir.File("blocked.ini");
  std::filesystem::create_directory(blocked);
  settings::SettingsFile file(blocked);
  try {
    file.WriteText("Log", "LastInputFile", "x");
    FAIL() << "no error";
  } catch (const platform::EIniFileException& e) {
    EXPECT_EQ(e.Message(), "Unable to write to " + blocked);
    EXPECT_EQ(e.Kind(), "EIniFileException");
  }
  EXPECT_THROW(file.RemoveSection("Log"), platform::EIniFileException);
  EXPECT_TRUE(std::filesystem::is_directory(blocked));
}

TEST(SettingsFilePathTest, FollowsTheProgramPath) {
  testing_support::ScratchDir dir;
  struct {
    std::string program, settings;
  } cases[] = {{dir.File("setup.exe"), dir.File("setup.ini")},
               {dir.File("setup"), dir.File("setup.ini")},
               {dir.File("pdf.printer.exe"), dir.File("pdf.printer.ini")}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.program);
    platform::fake::FakeProcessInfo info(c.program, "");
    platform::ScopedServices scope({.processInfo = &info});
    EXPECT_EQ(settings::SettingsFilePath(), c.settings);
    EXPECT_EQ(settings::SettingsFile().Path(), c.settings);
  }
}

}  // namespace
