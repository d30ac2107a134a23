// The "Printer details" group: the selected port's options (save folder,
// save type, name template, what to do when the file exists, show PDF),
// filled from the list row and the settings file, and written back at every
// change.
#include <algorithm>
#include <ctime>

#include "main/frm_main.h"
#include "platform/services.h"
#include "procs/document_title.h"
#include "procs/ghostscript/ghostscript_run.h"
#include "procs/name_template.h"
#include "settings/port_options.h"
#include "settings/settings_file.h"

namespace main_window {

using namespace toolkit;

namespace {

// The window's tag while the group is being filled: the controls' own events
// then save nothing.
constexpr int kLoading = 99;

class LoadingMarker {
 public:
  explicit LoadingMarker(Form& form) : form_(form) { form_.SetTag(kLoading); }
  ~LoadingMarker() { form_.SetTag(0); }
  LoadingMarker(const LoadingMarker&) = delete;
  LoadingMarker& operator=(const LoadingMarker&) = delete;

 private:
  Form& form_;
};

// What the template gives a sample document printed by this user now.
std::string Preview(const std::string& nameTemplate, const std::string& saveFolder,
                    const ListRow& row) {
  auto& info = *platform::Current().processInfo;
  procs::JobDetails sample;
  sample.title = procs::CleanTitle("Quarterly report.docx");
  sample.user = info.UserName();
  sample.computer = info.ComputerName();
  sample.printer = row.subItems.empty() ? "" : row.subItems[0];
  sample.port = row.caption;
  sample.jobId = "1";
  const std::time_t now = std::time(nullptr);
  if (const std::tm* local = std::localtime(&now)) sample.when = *local;
  const procs::TemplateName name = procs::ExpandNameTemplate(nameTemplate, sample, saveFolder);
  return "For example: " + name.folders + name.FileName();
}

// The quality list: Ghostscript's own output first, then its presets.
int QualityIndex(const std::string& quality) {
  if (quality.empty()) return 0;
  const auto& presets = procs::QualityPresets();
  const auto found = std::find(presets.begin(), presets.end(), quality);
  return found == presets.end() ? -1 : static_cast<int>(found - presets.begin()) + 1;
}
std::string QualityOf(int index) { return index <= 0 ? "" : procs::QualityPresets().at(index - 1); }

}  // namespace

void TFrmMain::ShowPrinterDetails() {
  LoadingMarker loading(*this);
  int selected = ListView1->SelectedIndex();
  bool shown =
      ListView1->RowCount() > 0 && selected >= 0 && ListView1->Row(selected).subItems.size() > 2;
  GroupBox3->SetVisible(shown);
  if (!shown) return;
  const ListRow row = ListView1->Row(selected);
  GroupBox3->SetText(row.subItems[0] + " details");
  const settings::PortOptions options =
      settings::ReadPortOptions(settings::SettingsFile(), row.caption);
  RBTprompt->SetChecked(options.saveType == settings::kSaveTypeAsk);
  RBTSaveAs->SetChecked(options.saveType == settings::kSaveTypeAutomatic);
  RBTTemplate->SetChecked(options.saveType == settings::kSaveTypeTemplate);
  EditTemplate->SetText(options.nameTemplate);
  CMBIfExists->SetItemIndex(options.ifFileExists);
  CMBPdfType->SetItemIndex(options.pdfType);
  CMBQuality->SetItemIndex(QualityIndex(options.quality));
  EditSaveTo->SetText(row.subItems[1]);
  CHBShowPDF->SetChecked(row.subItems[2] == "Yes");
  LblPreview->SetText(Preview(EditTemplate->Text(), EditSaveTo->Text(), row));
}

void TFrmMain::ListView1Change(Control&, int, RowChange) { ShowPrinterDetails(); }

void TFrmMain::ChangePrintersettings(Control& sender) {
  if (&sender == BtnSelDir) {
    // A new text raises this handler once more, nested, which saves too.
    if (auto folder = platform::Current().dialogs->ChooseFolder("Select output dir")) {
      EditSaveTo->SetText(*folder);
    }
  }
  if (Tag() != 0) return;
  int selected = ListView1->SelectedIndex();
  if (selected < 0 || ListView1->Row(selected).subItems.size() < 3) return;
  const std::string section = ListView1->Row(selected).caption;
  settings::SettingsFile file;
  settings::PortOptions options = settings::ReadPortOptions(file, section);
  options.saveToFolder = EditSaveTo->Text();
  options.saveType = RBTprompt->Checked()     ? settings::kSaveTypeAsk
                     : RBTTemplate->Checked() ? settings::kSaveTypeTemplate
                                              : settings::kSaveTypeAutomatic;
  options.showPdf = CHBShowPDF->Checked();
  options.nameTemplate = EditTemplate->Text();
  if (CMBIfExists->ItemIndex() >= 0) options.ifFileExists = CMBIfExists->ItemIndex();
  if (CMBPdfType->ItemIndex() >= 0) options.pdfType = CMBPdfType->ItemIndex();
  if (CMBQuality->ItemIndex() >= 0) options.quality = QualityOf(CMBQuality->ItemIndex());
  settings::WritePortOptions(file, section, options);
  ListView1->SetSubItem(selected, 1, EditSaveTo->Text());
  ListView1->SetSubItem(selected, 2, CHBShowPDF->Checked() ? "Yes" : "No");
  LblPreview->SetText(Preview(EditTemplate->Text(), EditSaveTo->Text(), ListView1->Row(selected)));
}

}  // namespace main_window
