#include "procs/find_ghostscript_folder.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "platform/error.h"
#include "platform/fake/fake_process_info.h"
#include "platform/fake/fake_registry.h"
#include "platform/native_conventions.h"
#include "platform/path.h"
#include "platform/services.h"
#include "procs/outside_programs.h"
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

// Today's installers register under three keys, in two registry views,
// and a 64-bit Ghostscript has only gswin64c.exe. Each layout, and the
// folder FindGhostscriptFolder answers (and stores).
TEST_F(FindGhostscriptFolderTest, InstalledGhostscriptInEveryRegistryLayout) {
  enum Holds { kProgram, kFallbackProgram, kNoProgram, kNoLibrary, kNonTextValue };
  struct Registration {
    const char* key;
    bool view64;
    const char* version;
    const char* folder;
    Holds holds;
  };
  const char *afpl = kVersions, *gpl = "SOFTWARE\\GPL Ghostscript",
             *artifex = "SOFTWARE\\Artifex Ghostscript", *gnu = "SOFTWARE\\GNU Ghostscript";
  struct {
    const char* name;
    std::vector<Registration> registrations;
    std::string expected;  // a folder's name, "" for nothing found
  } cases[] = {
      {"AFPL only", {{afpl, false, "8.54", "a", kProgram}}, "a"},
      {"GPL only", {{gpl, false, "9.56.1", "g", kProgram}}, "g"},
      {"Artifex only", {{artifex, false, "10.02.1", "x", kProgram}}, "x"},
      {"GNU only", {{gnu, false, "8.71", "n", kProgram}}, "n"},
      {"AFPL first though older",
       {{gpl, false, "10.2", "g", kProgram}, {afpl, false, "8.54", "a", kProgram}},
       "a"},
      {"AFPL without the program",
       {{afpl, false, "8.54", "a", kNoProgram}, {gpl, false, "9.5", "g", kProgram}},
       "g"},
      {"9.5 then 10.2",
       {{gpl, false, "9.5", "old", kProgram}, {gpl, false, "10.2", "new", kProgram}},
       "new"},
      {"10.2 then 9.5",
       {{gpl, false, "10.2", "new", kProgram}, {gpl, false, "9.5", "old", kProgram}},
       "new"},
      {"highest across keys",
       {{gpl, false, "10.2", "g", kProgram}, {artifex, false, "9.5", "x", kProgram}},
       "g"},
      {"64-bit view newer",
       {{gpl, false, "9.5", "32", kProgram}, {gpl, true, "10.2", "64", kFallbackProgram}},
       "64"},
      {"32-bit view newer",
       {{artifex, true, "9.5", "64", kFallbackProgram}, {gpl, false, "10.2", "32", kProgram}},
       "32"},
      {"GS_DLL names no file",
       {{gpl, false, "9.5", "old", kProgram}, {gpl, false, "10.2", "new", kNoLibrary}},
       "old"},
      {"GS_DLL of no text type",
       {{gpl, false, "9.5", "old", kProgram}, {gpl, false, "10.2", "new", kNonTextValue}},
       "old"},
      {"only gswin64c.exe", {{artifex, true, "10.02.1", "x", kFallbackProgram}}, "x"},
      // As for the AFPL key: the newest existing library counts, with or
      // without the program beside it.
      {"newest lacks the program",
       {{gpl, false, "9.5", "old", kProgram}, {gpl, false, "10.2", "new", kNoProgram}},
       ""},
  };
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
      if (r.holds != kNoLibrary) testing_support::WriteBytes(Dll(folder), "dll");
      if (r.holds == kProgram || r.holds == kFallbackProgram) {
        auto names = platform::GhostscriptConsoleNames();
        testing_support::WriteBytes(path::AddTrailingDelimiter(folder) +
                                        (r.holds == kProgram ? names.front() : names.back()),
                                    "exe");
      }
      platform::fake::FakeRegistry& view = r.view64 ? sixtyFour : own;
      std::string key = std::string(r.key) + "\\" + r.version;
      if (r.holds == kNonTextValue) {
        view.SetValue(key, "GS_DLL", {platform::kRegBinary, Dll(folder)});
      } else {
        view.SetString(key, "GS_DLL", Dll(folder));
      }
    }
    std::string expected = c.expected.empty() ? "" : dir.File(prefix + c.expected);
    EXPECT_EQ(procs::FindGhostscriptFolder(), expected);
    EXPECT_EQ(Saved(), expected);
  }
}

}  // namespace
