#include "procs/ghostscript/ghostscript_location.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "platform/error.h"
#include "platform/fake/fake_process_info.h"
#include "platform/fake/fake_registry.h"
#include "platform/rules/path.h"
#include "platform/services.h"
#include "procs/ghostscript/ghostscript_program.h"
#include "settings/settings_file.h"
#include "support/scratch_dir.h"

namespace {

namespace path = platform::path;
const char kVersions[] = "SOFTWARE\\AFPL Ghostscript";

// A program in a scratch folder (so its settings file is there too), a fake
// registry, and helpers to make Ghostscript folders.
class FindGhostscriptFolderTest : public ::testing::Test {
 protected:
  // A folder with the console program (and a library file) in it.
  std::string MakeInstall(const std::string& name, bool withProgram = true) {
    std::string folder = dir.File(name);
    std::filesystem::create_directories(folder);
    testing_support::WriteBytes(path::AddTrailingDelimiter(folder) + "gsdll32.dll", "dll");
    if (withProgram) {
      testing_support::WriteBytes(
          path::AddTrailingDelimiter(folder) + procs::GhostscriptProgramName(), "exe");
    }
    return folder;
  }
  void RegisterVersion(const std::string& version, const std::string& dll) {
    registry.SetString(std::string(kVersions) + "\\" + version, "GS_DLL", dll);
  }
  std::string Dll(const std::string& folder) {
    return path::AddTrailingDelimiter(folder) + "gsdll32.dll";
  }
  std::string Saved() { return settings.ReadText("GhostScript", "Location", "<absent>"); }

  testing_support::ScratchDir dir;
  platform::fake::FakeProcessInfo info{dir.File("pdfprinter.exe"), ""};
  platform::fake::FakeRegistry registry;
  platform::ScopedServices scope{{.processInfo = &info, .registry = &registry}};
  settings::SettingsFile settings;
};

TEST_F(FindGhostscriptFolderTest, SavedFolderWinsOverTheRegistry) {
  std::string saved = MakeInstall("saved"), listed = MakeInstall("listed");
  RegisterVersion("8.54", Dll(listed));
  settings.WriteText("GhostScript", "Location", saved);
  EXPECT_EQ(procs::FindGhostscriptFolder(), saved);
  EXPECT_EQ(Saved(), saved);
}

TEST_F(FindGhostscriptFolderTest, SavedFolderLosesItsTrailingDelimiter) {
  std::string saved = MakeInstall("saved");
  settings.WriteText("GhostScript", "Location", path::AddTrailingDelimiter(saved));
  EXPECT_EQ(procs::FindGhostscriptFolder(), saved);
  EXPECT_EQ(Saved(), saved);
}

TEST_F(FindGhostscriptFolderTest, RegistryReplacesAnInvalidSavedFolder) {
  std::string empty = MakeInstall("empty", false), listed = MakeInstall("listed");
  RegisterVersion("8.54", Dll(listed));
  settings.WriteText("GhostScript", "Location", empty);
  EXPECT_EQ(procs::FindGhostscriptFolder(), listed);
  EXPECT_EQ(Saved(), listed);
}

TEST_F(FindGhostscriptFolderTest, NothingFoundStoresEmpty) {
  settings.WriteText("GhostScript", "Location", MakeInstall("gone", false));
  EXPECT_EQ(procs::FindGhostscriptFolder(), "");
  EXPECT_EQ(Saved(), "");
}

TEST_F(FindGhostscriptFolderTest, NoSettingsFileAndNoRegistryCreatesTheEntry) {
  EXPECT_EQ(procs::FindGhostscriptFolder(), "");
  EXPECT_EQ(Saved(), "");
}

TEST_F(FindGhostscriptFolderTest, LastListedExistingLibraryWinsEvenWithoutTheProgram) {
  std::string withProgram = MakeInstall("a"), withoutProgram = MakeInstall("b", false);
  RegisterVersion("8.00", Dll(withProgram));
  RegisterVersion("8.54", Dll(withoutProgram));
  EXPECT_EQ(procs::FindGhostscriptFolder(), "");

  RegisterVersion("9.00", Dll(dir.File("missing")));  // no file: not a candidate
  registry.DenyOpen(std::string(kVersions) + "\\8.54");
  EXPECT_EQ(procs::FindGhostscriptFolder(), withProgram);
}

TEST_F(FindGhostscriptFolderTest, ExpandableTextIsTakenAsStored) {
  std::string listed = MakeInstall("listed");
  std::string dll = Dll(listed);
  registry.SetValue(std::string(kVersions) + "\\8.54", "GS_DLL",
                    {platform::kRegExpandSz, dll + '\0'});
  EXPECT_EQ(procs::FindGhostscriptFolder(), listed);
}

TEST_F(FindGhostscriptFolderTest, NonTextValueRaisesAndLeavesTheSettingsAlone) {
  std::string saved = MakeInstall("saved");
  settings.WriteText("GhostScript", "Location", path::AddTrailingDelimiter(saved));
  registry.SetValue(std::string(kVersions) + "\\8.54", "GS_DLL",
                    {platform::kRegBinary, "\x01\x02"});
  try {
    procs::FindGhostscriptFolder();
    FAIL() << "no error";
  } catch (const platform::ERegistryException& e) {
    EXPECT_EQ(e.Message(), "Invalid data type for 'GS_DLL'");
  }
  EXPECT_EQ(Saved(), path::AddTrailingDelimiter(saved));  // not rewritten
}

TEST_F(FindGhostscriptFolderTest, UnwritableSettingsFileRaises) {
  std::filesystem::create_directory(settings.Path());
  EXPECT_THROW(procs::FindGhostscriptFolder(), platform::EIniFileException);
}

// Today's installers register under three keys, in two registry views
// (64: the 64-bit view), and a 64-bit Ghostscript has only gswin64c.exe
// (kExe64). Each layout, and the folder FindGhostscriptFolder answers and
// stores.
TEST_F(FindGhostscriptFolderTest, InstalledGhostscriptInEveryRegistryLayout) {
  enum Holds { kExe, kExe64, kNoExe, kNoDll, kNoText };
  struct Registration {
    const char* key;
    int view;
    const char* version;
    const char* folder;
    Holds holds;
  };
  const char *afpl = kVersions, *gpl = "SOFTWARE\\GPL Ghostscript",
             *artifex = "SOFTWARE\\Artifex Ghostscript", *gnu = "SOFTWARE\\GNU Ghostscript";
  struct {
    const char* name;
    std::vector<Registration> registrations;
    const char* expected;  // a folder's name, "" for nothing found
  } cases[] = {
      // clang-format off
      {"AFPL only", {{afpl, 32, "8.54", "a", kExe}}, "a"},
      {"GPL only", {{gpl, 32, "9.56.1", "g", kExe}}, "g"},
      {"Artifex only", {{artifex, 32, "10.02.1", "x", kExe}}, "x"},
      {"GNU only", {{gnu, 32, "8.71", "n", kExe}}, "n"},
      {"AFPL first, older", {{gpl, 32, "10.2", "g", kExe}, {afpl, 32, "8.54", "a", kExe}}, "a"},
      {"AFPL, no program", {{afpl, 32, "8.54", "a", kNoExe}, {gpl, 32, "9.5", "g", kExe}}, "g"},
      {"9.5 then 10.2", {{gpl, 32, "9.5", "old", kExe}, {gpl, 32, "10.2", "new", kExe}}, "new"},
      {"10.2 then 9.5", {{gpl, 32, "10.2", "new", kExe}, {gpl, 32, "9.5", "old", kExe}}, "new"},
      {"highest across keys", {{gpl, 32, "10.2", "g", kExe}, {artifex, 32, "9.5", "x", kExe}}, "g"},
      {"64-bit newer", {{gpl, 32, "9.5", "32", kExe}, {gpl, 64, "10.2", "64", kExe64}}, "64"},
      {"32-bit newer", {{artifex, 64, "9.5", "64", kExe64}, {gpl, 32, "10.2", "32", kExe}}, "32"},
      {"no GS_DLL file", {{gpl, 32, "9.5", "old", kExe}, {gpl, 32, "10.2", "new", kNoDll}}, "old"},
      {"GS_DLL no text", {{gpl, 32, "9.5", "old", kExe}, {gpl, 32, "10.2", "new", kNoText}}, "old"},
      {"only gswin64c.exe", {{artifex, 64, "10.02.1", "x", kExe64}}, "x"},
      // As under the AFPL key, the newest existing library counts.
      {"newest, no program", {{gpl, 32, "9.5", "old", kExe}, {gpl, 32, "10.2", "new", kNoExe}}, ""},
      // clang-format on
  };
  const auto names = procs::GhostscriptProgramNames();
  int n = 0;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string prefix = "layout" + std::to_string(n++) + "-";
    platform::fake::FakeRegistry own, sixtyFour;
    own.Attach64BitView(sixtyFour);
    platform::ScopedServices layout{{.registry = &own}};
    settings.WriteText("GhostScript", "Location", "");
    for (const Registration& r : c.registrations) {
      std::string folder = dir.File(prefix + r.folder);
      std::filesystem::create_directories(folder);
      if (r.holds != kNoDll) testing_support::WriteBytes(Dll(folder), "dll");
      if (r.holds == kExe || r.holds == kExe64) {
        std::string name = r.holds == kExe ? names.front() : names.back();
        testing_support::WriteBytes(path::AddTrailingDelimiter(folder) + name, "exe");
      }
      uint32_t type = r.holds == kNoText ? platform::kRegBinary : platform::kRegSz;
      (r.view == 64 ? sixtyFour : own)
          .SetValue(std::string(r.key) + "\\" + r.version, "GS_DLL", {type, Dll(folder) + '\0'});
    }
    std::string expected = *c.expected ? dir.File(prefix + c.expected) : "";
    EXPECT_EQ(procs::FindGhostscriptFolder(), expected);
    EXPECT_EQ(Saved(), expected);
  }
}

}  // namespace
