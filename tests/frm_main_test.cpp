#include "main/frm_main.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "main/error_box.h"
#include "platform/dialogs.h"
#include "platform/error.h"
#include "platform/fake/fake_dialogs.h"
#include "platform/fake/fake_message_boxes.h"
#include "platform/fake/fake_process_info.h"
#include "platform/fake/fake_registry.h"
#include "platform/fake/fake_services.h"
#include "platform/rules/path.h"
#include "platform/services.h"
#include "procs/ghostscript/ghostscript_program.h"
#include "resources/setup_window_layout.h"
#include "settings/settings_file.h"
#include "support/scratch_dir.h"

namespace {

namespace path = platform::path;
using main_window::kMarkFound;
using main_window::kMarkMissing;
using main_window::TFrmMain;

// The window of a program in a scratch folder (so its settings file is
// there), with fake registry, dialogs and message boxes.
class FrmMainTest : public ::testing::Test {
 protected:
  // A folder holding the Ghostscript console program.
  std::string MakeGhostscriptFolder(const std::string& name) {
    std::string folder = dir.File(name);
    std::filesystem::create_directories(folder);
    testing_support::WriteBytes(
        path::AddTrailingDelimiter(folder) + procs::GhostscriptProgramName(), "exe");
    return folder;
  }
  // As the set-up mode does it, short of showing the window.
  void Create() {
    form.RunEvent([this] { form.FormCreate(form); });
  }
  std::string Saved() { return settings.ReadText("GhostScript", "Location", "<absent>"); }
  void ExpectMark(bool found) {
    EXPECT_EQ(form.Label2->Text(), found ? kMarkFound : kMarkMissing);
    EXPECT_EQ(form.BtnGhostFind->Visible(), !found);
  }

  testing_support::ScratchDir dir;
  platform::fake::FakeServices fakes{dir.File("PDFPRINTER.EXE")};
  platform::fake::FakeRegistry& registry = fakes.registry;
  platform::fake::FakeDialogs& dialogs = fakes.dialogs;
  platform::fake::FakeMessageBoxes& boxes = fakes.boxes;
  settings::SettingsFile settings;
  TFrmMain form;
};

TEST_F(FrmMainTest, ComponentsComeInTheDeclaredOrderOfTheLayout) {
  const auto& layout = resources::SetupWindowControls();
  const auto& components = form.Components();
  ASSERT_EQ(components.size(), 47u);
  ASSERT_EQ(layout.size(), components.size());
  for (size_t i = 0; i < layout.size(); ++i) {
    EXPECT_EQ(components[i]->Name(), layout[i].name) << "at " << i;
  }
}

TEST_F(FrmMainTest, EachMemberIsTheComponentOfItsName) {
  const std::vector<std::pair<const char*, toolkit::Component*>> members{
      {"BtnClose", form.BtnClose},
      {"LblUnsaved", form.LblUnsaved},
      {"BtnUnsaved", form.BtnUnsaved},
      {"OpenDialog1", form.OpenDialog1},
      {"ImageList1", form.ImageList1},
      {"PageControl1", form.PageControl1},
      {"TabSheet1", form.TabSheet1},
      {"TabSheet2", form.TabSheet2},
      {"GroupBox1", form.GroupBox1},
      {"Label1", form.Label1},
      {"Label2", form.Label2},
      {"Label3", form.Label3},
      {"BtnGhostFind", form.BtnGhostFind},
      {"EditGhost", form.EditGhost},
      {"GroupBox2", form.GroupBox2},
      {"Label4", form.Label4},
      {"ListView1", form.ListView1},
      {"BtnGetPrinters", form.BtnGetPrinters},
      {"BtnAddPort", form.BtnAddPort},
      {"BtnDelPort", form.BtnDelPort},
      {"BtnAddPrinter", form.BtnAddPrinter},
      {"GroupBox3", form.GroupBox3},
      {"BtnSelDir", form.BtnSelDir},
      {"Label5", form.Label5},
      {"Label6", form.Label6},
      {"RBTprompt", form.RBTprompt},
      {"RBTSaveAs", form.RBTSaveAs},
      {"RBTTemplate", form.RBTTemplate},
      {"EditSaveTo", form.EditSaveTo},
      {"EditTemplate", form.EditTemplate},
      {"LblPreview", form.LblPreview},
      {"Label10", form.Label10},
      {"CMBIfExists", form.CMBIfExists},
      {"Label11", form.Label11},
      {"CMBPdfType", form.CMBPdfType},
      {"Label12", form.Label12},
      {"CMBQuality", form.CMBQuality},
      {"CHBShowPDF", form.CHBShowPDF},
      {"Button1", form.Button1},
      {"GroupBox4", form.GroupBox4},
      {"Image1", form.Image1},
      {"Label7", form.Label7},
      {"GroupBox5", form.GroupBox5},
      {"MemFiles", form.MemFiles},
      {"Label8", form.Label8},
      {"BtnRegister", form.BtnRegister},
      {"Label9", form.Label9},
  };
  ASSERT_EQ(members.size(), form.Components().size());
  for (const auto& [name, component] : members) {
    SCOPED_TRACE(name);
    ASSERT_NE(component, nullptr);
    EXPECT_EQ(component->Name(), name);
  }
}

TEST_F(FrmMainTest, ControlsStartInTheirDefinedState) {
  for (const auto& entry : resources::SetupWindowControls()) {
    SCOPED_TRACE(entry.name);
    auto* control = toolkit::As<toolkit::Control>(form.FindComponent(entry.name));
    if (!control) continue;  // dialog, image list
    EXPECT_EQ(control->Text(), entry.caption);
    EXPECT_EQ(control->Enabled(), entry.enabled);
    EXPECT_EQ(control->Visible(), entry.visible);
    std::string parent = control->Parent() == &form ? "" : control->Parent()->Name();
    EXPECT_EQ(parent, entry.parent);
  }
  EXPECT_EQ(form.Text(), "PDF Printer setup");
  EXPECT_TRUE(form.CHBShowPDF->Checked());
  EXPECT_FALSE(form.RBTprompt->Checked() || form.RBTSaveAs->Checked());
  EXPECT_FALSE(form.BtnDelPort->Enabled());
  EXPECT_FALSE(form.BtnRegister->Enabled());
  EXPECT_EQ(form.MemFiles->Text(), ".doc\r\n.txt\r\n");
  ExpectMark(false);
  EXPECT_EQ(form.Tag(), 0);
  EXPECT_EQ(form.ListView1->RowCount(), 0);
  EXPECT_EQ(form.PageControl1->ActivePageIndex(), 0);
  EXPECT_EQ(form.PageControl1->Children(),
            (std::vector<toolkit::Control*>{form.TabSheet1, form.TabSheet2}));
  // The illustration is decoded with the window, before FormCreate.
  ASSERT_NE(form.Image1->Picture(), nullptr);
  EXPECT_EQ(form.Image1->Picture()->Width(), 140);
  EXPECT_EQ(form.Image1->Picture()->Height(), 89);
}

TEST_F(FrmMainTest, FormCreateShowsTheGhostscriptFolderFound) {
  std::string folder = MakeGhostscriptFolder("gs");
  settings.WriteText("GhostScript", "Location", path::AddTrailingDelimiter(folder));
  Create();
  EXPECT_EQ(form.EditGhost->Text(), folder);
  ExpectMark(true);
  EXPECT_FALSE(form.BtnRegister->Enabled());
  EXPECT_TRUE(boxes.Shown().empty());
  EXPECT_EQ(Saved(), folder);
}

TEST_F(FrmMainTest, FormCreateWithoutGhostscriptKeepsTheDefinedState) {
  settings.WriteText("GhostScript", "Location", dir.File("gone"));
  form.BtnRegister->SetEnabled(true);  // as the list's change event would leave it
  Create();
  EXPECT_EQ(form.EditGhost->Text(), "");
  ExpectMark(false);
  EXPECT_FALSE(form.BtnRegister->Enabled());
  EXPECT_TRUE(boxes.Shown().empty());
  EXPECT_EQ(Saved(), "");
}

TEST_F(FrmMainTest, FormCreateErrorIsShownAndSkipsTheRemainingSteps) {
  MakeGhostscriptFolder("gs");
  registry.SetValue("SOFTWARE\\AFPL Ghostscript\\8.54", "GS_DLL",
                    {platform::kRegBinary, std::string("\x01\x02", 2)});
  form.BtnRegister->SetEnabled(true);
  Create();
  ASSERT_EQ(boxes.Shown().size(), 1u);
  // The text ends in "'", whose code is below that of ".": nothing appended.
  EXPECT_EQ(boxes.Shown()[0].text, "Invalid data type for 'GS_DLL'");
  EXPECT_EQ(boxes.Shown()[0].caption, "Pdfprinter");
  EXPECT_EQ(boxes.Shown()[0].flags,
            platform::kMbOk | platform::kMbIconError | platform::kMbTaskModal);
  EXPECT_EQ(form.EditGhost->Text(), "");
  ExpectMark(false);
  EXPECT_TRUE(form.BtnRegister->Enabled());  // step 3 did not run
  EXPECT_FALSE(form.Closed());
}

TEST_F(FrmMainTest, EveryKeystrokeInTheLocationFieldTestsAnew) {
  std::string folder = MakeGhostscriptFolder("gs");
  std::string typed = folder + path::Delimiter() + "x";
  for (size_t length = 1; length <= typed.size(); ++length) {
    std::string text = typed.substr(0, length);
    SCOPED_TRACE(text);
    form.EditGhost->SetText(text);
    ExpectMark(text == folder || text == folder + path::Delimiter());
  }
  // Deleting back to the folder finds it again.
  form.EditGhost->SetText(folder);
  ExpectMark(true);
  EXPECT_EQ(Saved(), "<absent>");  // typing stores nothing
}

TEST_F(FrmMainTest, FolderNamedLikeTheProgramDoesNotCount) {
  std::filesystem::create_directories(path::AddTrailingDelimiter(dir.File("gs")) +
                                      procs::GhostscriptProgramName());
  form.EditGhost->SetText(dir.File("gs"));
  ExpectMark(false);
}

TEST_F(FrmMainTest, BrowseCancelledChangesNothing) {
  settings.WriteText("GhostScript", "Location", "kept");
  form.EditGhost->SetText(dir.Path());
  form.BtnGhostFind->Click();
  ASSERT_EQ(dialogs.Shown().size(), 1u);
  const auto& shown = dialogs.Shown()[0];
  EXPECT_FALSE(shown.save);
  EXPECT_EQ(shown.request.initialFolder, dir.Path());
  EXPECT_EQ(shown.request.filter,
            "Ghostscript bin files (gswin32c.exe)|gswin32c.exe|"
            "Ghostscript bin files (gswin64c.exe)|gswin64c.exe|All Files (*.*)|*.*");
  EXPECT_EQ(shown.request.filterIndex, 1);
  EXPECT_EQ(shown.request.options, platform::kOfnHideReadOnly | platform::kOfnEnableSizing);
  EXPECT_EQ(shown.request.title, "");
  EXPECT_EQ(form.EditGhost->Text(), dir.Path());
  EXPECT_EQ(Saved(), "kept");
}

TEST_F(FrmMainTest, BrowseStoresTheChosenFilesFolderAtOnce) {
  std::string folder = MakeGhostscriptFolder("gs");
  std::string chosen = path::AddTrailingDelimiter(folder) + procs::GhostscriptProgramName();
  dialogs.Answer(chosen);
  std::string storedWhenShown;
  form.EditGhost->onChange = [&](toolkit::Control& sender) {
    storedWhenShown = Saved();
    form.EditGhostChange(sender);
  };
  form.BtnGhostFind->Click();
  EXPECT_EQ(Saved(), folder);
  EXPECT_EQ(storedWhenShown, folder);  // written before the field changed
  EXPECT_EQ(form.EditGhost->Text(), folder);
  ExpectMark(true);
}

TEST_F(FrmMainTest, BrowseAcceptsAnyFileAndTheMarkTells) {
  std::string folder = dir.File("other");
  std::filesystem::create_directories(folder);
  dialogs.Answer(path::AddTrailingDelimiter(folder) + "readme.txt");  // need not exist
  form.BtnGhostFind->Click();
  EXPECT_EQ(Saved(), folder);
  EXPECT_EQ(form.EditGhost->Text(), folder);
  ExpectMark(false);
}

TEST_F(FrmMainTest, BrowseToADriveRootStoresTheRootWithoutDelimiter) {
  // The root folder of this build's paths: "D:" on Windows, "" on POSIX,
  // which the mark's test turns back into "D:\" and "/".
  struct Case {
    bool windows;
    std::string chosen;
    std::string stored;
  };
  const Case cases[] = {{true, "D:\\gswin32c.exe", "D:"}, {false, "/gs", ""}};
  for (const auto& c : cases) {
    if (c.windows != path::IsWindows(path::Style::Native)) continue;
    SCOPED_TRACE(c.chosen);
    form.EditGhost->SetText("somewhere");
    dialogs.Answer(c.chosen);
    form.BtnGhostFind->Click();
    EXPECT_EQ(Saved(), c.stored);
    EXPECT_EQ(form.EditGhost->Text(), c.stored);
    EXPECT_EQ(path::AddTrailingDelimiter(c.stored) + path::FileNamePart(c.chosen), c.chosen);
  }
}

TEST_F(FrmMainTest, BrowseWithAnUnwritableSettingsFileShowsTheErrorAndKeepsTheField) {
  std::filesystem::create_directory(settings.Path());
  std::string folder = MakeGhostscriptFolder("gs");
  form.EditGhost->SetText("typed");
  dialogs.Answer(path::AddTrailingDelimiter(folder) + procs::GhostscriptProgramName());
  form.RunEvent([this] { form.BtnGhostFind->Click(); });
  ASSERT_EQ(boxes.Shown().size(), 1u);
  EXPECT_EQ(boxes.Shown()[0].text, "Unable to write to " + settings.Path() + ".");
  EXPECT_EQ(boxes.Shown()[0].caption, "Pdfprinter");
  EXPECT_EQ(boxes.Shown()[0].flags,
            platform::kMbOk | platform::kMbIconError | platform::kMbTaskModal);
  EXPECT_EQ(form.EditGhost->Text(), "typed");
  // The window goes on: the next event runs.
  form.RunEvent([this] { form.BtnClose->Click(); });
  EXPECT_TRUE(form.Closed());
  EXPECT_EQ(boxes.Shown().size(), 1u);
}

TEST_F(FrmMainTest, OkClosesTheWindow) {
  std::vector<toolkit::Change> changes;
  form.SetObserver(
      [&](toolkit::Control&, toolkit::Change change, int) { changes.push_back(change); });
  EXPECT_FALSE(form.Closed());
  form.BtnClose->Click();
  EXPECT_TRUE(form.Closed());
  EXPECT_EQ(changes, std::vector<toolkit::Change>{toolkit::Change::kClosed});
}

TEST(ErrorBoxTextTest, AppendsAFullStopAfterCharactersAboveIt) {
  struct Case {
    std::string text;
    std::string shown;
  };
  const Case cases[] = {
      {"Cannot open file C:\\PDF\\context_list.txt", "Cannot open file C:\\PDF\\context_list.txt."},
      {"Done.", "Done."},
      {"Stop!", "Stop!"},
      {"Invalid data type for 'GS_DLL'", "Invalid data type for 'GS_DLL'"},
      {"a-", "a-"},   // 0x2D
      {"a/", "a/."},  // 0x2F
      {"C:\\", "C:\\."},
      {"caf\xE9", "caf\xE9."},  // above 0x7F: still above "."
      {"", ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(main_window::ErrorBoxText(c.text), c.shown);
  }
}

}  // namespace
