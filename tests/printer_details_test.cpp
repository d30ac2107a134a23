// The "Printer details" group over fakes: what a fill shows, that a fill
// saves nothing, and what every change writes.
#include <gtest/gtest.h>

#include <functional>

#include "platform/rules/path.h"
#include "settings/port_options.h"
#include "support/port_list_fixture.h"

namespace {

using Scene = testing_support::PortListScene;

// PPP1: and PPP2: with printers, PPP3: empty.
void Seed(Scene& t, const std::string& saveType) {
  t.AddPorts({1, 2, 3});
  t.AttachPrinter("PDF Printer", "PPP1:");
  t.AttachPrinter("Other", "PPP2:");
  if (!saveType.empty()) t.settings.WriteText("PPP2:", "SaveType", saveType);
}

TEST(PrinterDetailsTest, FillShowsTheSelectedPortAndSavesNothing) {
  struct Case {
    int select;
    std::string saveType;
    // caption|prompt|saveAs|template|folder|show|its template|if exists|type|quality
    std::string shown;
  };
  const Case cases[] = {
      {-1, "", ""},
      {2, "", ""},                                                // a port without a printer
      {0, "", "PDF Printer details|1|0|0|c:\\|1|<Title>|0|0|0"},  // no section: the defaults
      {1, "1", "Other details|0|1|0|D:\\out|0|<User>\\<Title>|1|2|2"},
      {1, "2", "Other details|0|0|1|D:\\out|0|<User>\\<Title>|1|2|2"},
      {1, "3", "Other details|0|0|0|D:\\out|0|<User>\\<Title>|1|2|2"},  // no radio button
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::to_string(c.select) + " " + c.saveType);
    Scene t;
    Seed(t, c.saveType);
    t.settings.WriteText("PPP2:", "SaveToFolder", "D:\\out");
    t.settings.WriteText("PPP2:", "ShowPDF", "0");
    t.settings.WriteText("PPP2:", "NameTemplate", "<User>\\<Title>");
    t.settings.WriteText("PPP2:", "IfFileExists", "1");
    t.settings.WriteText("PPP2:", "PDFType", "2");
    t.settings.WriteText("PPP2:", "Quality", "ebook");
    t.FirstFill();
    std::vector<int> tags;  // the window's tag as the controls' events see it
    t.form.RBTprompt->onClick = t.form.RBTSaveAs->onClick = t.form.RBTTemplate->onClick =
        t.form.CHBShowPDF->onClick = t.form.EditSaveTo->onChange = t.form.EditTemplate->onChange =
            t.form.CMBIfExists->onChange = t.form.CMBPdfType->onChange =
                t.form.CMBQuality->onChange = [&](toolkit::Control& sender) {
                  tags.push_back(t.form.Tag());
                  t.form.ChangePrintersettings(sender);
                };
    int writes = t.profile.ChangeCount();
    std::string rows = t.Listed();
    t.Select(c.select == 0 ? 1 : 0);  // another port first, so that the controls change
    t.Select(c.select);
    EXPECT_EQ(t.profile.ChangeCount(), writes);
    EXPECT_EQ(tags, std::vector<int>(tags.size(), 99));
    EXPECT_EQ(t.form.Tag(), 0);
    const auto& f = t.form;
    auto flag = [](const toolkit::CheckableButton* button) {
      return std::to_string(button->Checked());
    };
    EXPECT_EQ(f.GroupBox3->Visible()
                  ? f.GroupBox3->Text() + "|" + flag(f.RBTprompt) + "|" + flag(f.RBTSaveAs) + "|" +
                        flag(f.RBTTemplate) + "|" + f.EditSaveTo->Text() + "|" +
                        flag(f.CHBShowPDF) + "|" + f.EditTemplate->Text() + "|" +
                        std::to_string(f.CMBIfExists->ItemIndex()) + "|" +
                        std::to_string(f.CMBPdfType->ItemIndex()) + "|" +
                        std::to_string(f.CMBQuality->ItemIndex())
                  : "",
              c.shown);
    t.Select(0);
    EXPECT_EQ(t.Listed(), rows);  // rows untouched
  }
}

// Every change writes every option of the port (what the controls show)
// and the row, and the preview follows the template as it is typed.
TEST(PrinterDetailsTest, EveryChangeWritesEveryOptionAndTheRow) {
  const int options = static_cast<int>(settings::PortOptionTable().size());
  struct Case {
    const char* name;
    std::function<void(Scene&)> act;
    std::string saved;  // folder|type|show|template|if exists of PPP2:
    int saves;
    std::string output = "0|";  // PDF type|quality
  };
  // After the fill with "SaveType" 3 no radio button is checked, so the
  // next change writes 1.
  const Case cases[] = {
      {"clearing show PDF", [](Scene& t) { t.Click(t.form.CHBShowPDF); }, "c:\\|1|0|<Title>|0", 1},
      {"and checking it again",
       [](Scene& t) { t.Click(t.form.CHBShowPDF), t.Click(t.form.CHBShowPDF); },
       "c:\\|1|1|<Title>|0", 2},
      {"prompt", [](Scene& t) { t.Click(t.form.RBTprompt); }, "c:\\|0|1|<Title>|0", 1},
      {"template", [](Scene& t) { t.Click(t.form.RBTTemplate); }, "c:\\|2|1|<Title>|0", 1},
      {"append", [](Scene& t) { t.form.CMBIfExists->SetItemIndex(2); }, "c:\\|1|1|<Title>|2", 1},
      {"PDF/A-1b for the screen",
       [](Scene& t) { t.form.CMBPdfType->SetItemIndex(1), t.form.CMBQuality->SetItemIndex(1); },
       "c:\\|1|1|<Title>|0", 2, "1|screen"},
      {"back to Ghostscript's own quality",
       [](Scene& t) { t.form.CMBQuality->SetItemIndex(2), t.form.CMBQuality->SetItemIndex(0); },
       "c:\\|1|1|<Title>|0", 2},
      {"typing, at every keystroke",
       [](Scene& t) {
         for (std::string typed : {"D", "D:", "D:\\o", ""}) {
           t.form.EditSaveTo->SetText(typed);
           EXPECT_EQ(t.Saved("PPP2:"), typed + "|1|1");
         }
       },
       "|1|1|<Title>|0", 4},
      {"a template typed",
       [](Scene& t) {
         for (std::string typed : {"<u", "<User>\\<Ti", "<User>\\<Title> <Date:"}) {
           t.form.EditTemplate->SetText(typed);
         }
         EXPECT_EQ(t.form.LblPreview->Text(), "For example: Jo" +
                                                  std::string(1, platform::path::Delimiter()) +
                                                  "Quarterly report _Date_.pdf");
       },
       "c:\\|1|1|<User>\\<Title> <Date:|0", 3},
      {"a drive root chosen: saved nested and again",
       [](Scene& t) { t.dialogs.Answer("D:\\"), t.Click(t.form.BtnSelDir); }, "D:\\|1|1|<Title>|0",
       2},
      {"the chooser cancelled still saves", [](Scene& t) { t.Click(t.form.BtnSelDir); },
       "c:\\|1|1|<Title>|0", 1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Scene t;
    Seed(t, "3");
    t.FirstFill();
    t.Select(1);
    EXPECT_EQ(t.form.LblPreview->Text(), "For example: Quarterly report.pdf");
    int writes = t.profile.ChangeCount();
    c.act(t);
    EXPECT_EQ(t.Saved("PPP2:") + "|" + t.settings.ReadText("PPP2:", "NameTemplate", "-") + "|" +
                  t.settings.ReadText("PPP2:", "IfFileExists", "-"),
              c.saved);
    EXPECT_EQ(t.settings.ReadText("PPP2:", "PDFType", "-") + "|" +
                  t.settings.ReadText("PPP2:", "Quality", "-"),
              c.output);
    EXPECT_EQ(t.profile.ChangeCount() - writes, c.saves * options);
    std::string folder = c.saved.substr(0, c.saved.find('|'));
    EXPECT_EQ(t.Listed(),
              "PPP1:: PDF Printer|c:\\|Yes / PPP2:*: Other|" + folder + "|" +
                  (c.saved[c.saved.find('|', folder.size() + 3) - 1] == '1' ? "Yes" : "No") +
                  " / PPP3:");
    for (const auto& shown : t.dialogs.Shown()) {
      EXPECT_TRUE(shown.folder);
      EXPECT_EQ(shown.request.title, "Select output dir");
    }
  }
}

TEST(PrinterDetailsTest, NothingIsSavedWithoutAPrinterAndARefusedWriteStopsTheSave) {
  Scene t;
  Seed(t, "");
  t.FirstFill();
  t.Select(2);  // an empty port: the group is hidden
  int writes = t.profile.ChangeCount();
  t.Click(t.form.CHBShowPDF);
  t.form.EditSaveTo->SetText("typed");
  EXPECT_EQ(t.profile.ChangeCount(), writes);

  t.Select(0);
  t.profile.RefuseWrites(t.settings.Path());
  t.Click(t.form.CHBShowPDF);
  EXPECT_EQ(t.BoxTexts(), "Unable to write to " + t.settings.Path() + ".");
  EXPECT_EQ(t.form.ListView1->Row(0).subItems[2], "Yes");  // the row is not updated
}

}  // namespace
