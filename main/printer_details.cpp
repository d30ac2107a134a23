// The "Printer details" group: the selected port's save folder, save type
// and show-PDF option, filled from the list row and the settings file, and
// written back at every change.
#include "main/frm_main.h"
#include "platform/services.h"
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
  const int32_t saveType =
      settings::ReadPortOptions(settings::SettingsFile(), row.caption).saveType;
  RBTprompt->SetChecked(saveType == 0);
  RBTSaveAs->SetChecked(saveType == 1);
  EditSaveTo->SetText(row.subItems[1]);
  CHBShowPDF->SetChecked(row.subItems[2] == "Yes");
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
  options.saveType = RBTprompt->Checked() ? 0 : 1;
  options.showPdf = CHBShowPDF->Checked();
  settings::WritePortOptions(file, section, options);
  ListView1->SetSubItem(selected, 1, EditSaveTo->Text());
  ListView1->SetSubItem(selected, 2, CHBShowPDF->Checked() ? "Yes" : "No");
}

}  // namespace main_window
