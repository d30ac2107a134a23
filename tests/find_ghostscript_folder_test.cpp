#include "procs/find_ghostscript_folder.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "platform/error.h"
#include "platform/fake/fake_process_info.h"
#include "platform/fake/fake_registry.h"
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
      testing_support::WriteBytes(path::AddTrailingDelimiter(folder) + procs::GhostscriptProgramName(),
                                  "exe");
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
  registry.SetValue(std::string(kVersions) + "\\8.54", "GS_DLL", {platform::kRegBinary, "\x01\x02"});
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

}  // namespace
