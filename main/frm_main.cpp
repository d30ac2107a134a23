#include "main/frm_main.h"

#include "main/error_box.h"
#include "picture/picture_data.h"
#include "platform/dialogs.h"
#include "platform/rules/path.h"
#include "platform/services.h"
#include "procs/ghostscript/ghostscript_location.h"
#include "procs/ghostscript/ghostscript_program.h"
#include "procs/user_data.h"
#include "resources/illustration.h"
#include "resources/row_picture.h"
#include "resources/setup_window_layout.h"
#include "settings/settings_file.h"

namespace main_window {

using namespace toolkit;

TFrmMain::TFrmMain() : Form("FrmMain") {
  SetErrorHandler(ShowErrorBox);
  BuildFrom(resources::SetupWindow(), resources::SetupWindowControls());
#define PDFPRINTER_CONTROL(name_, kind, ...) name_ = Take<ClassOf<ControlKind::kind>>(#name_);
#include "resources/setup_window_controls.def"

  OpenDialog1->filter =
      "Ghostscript bin files (gswin32c.exe)|gswin32c.exe|"
      "Ghostscript bin files (gswin64c.exe)|gswin64c.exe|All Files (*.*)|*.*";
  OpenDialog1->filterIndex = 1;
  OpenDialog1->options = platform::kOfnHideReadOnly | platform::kOfnEnableSizing;
  ImageList1->Add(resources::RowPicture());
  // The illustration is decoded once, as the window is made; the picture box
  // holds the image for every repaint.
  picture::MemoryStream record(resources::IllustrationPictureData());
  Image1->SetPicture(picture::ReadPictureData(record));
  Wire();
}

void TFrmMain::Wire() {
  auto click = [this](void (TFrmMain::*handler)(Control&)) {
    return [this, handler](Control& sender) { (this->*handler)(sender); };
  };
  BtnClose->onClick = click(&TFrmMain::BtnCloseClick);
  BtnUnsaved->onClick = click(&TFrmMain::BtnUnsavedClick);
  EditGhost->onChange = click(&TFrmMain::EditGhostChange);
  BtnGhostFind->onClick = click(&TFrmMain::BtnGhostFindClick);
  for (Button* button : {BtnGetPrinters, BtnAddPort, BtnDelPort, BtnAddPrinter}) {
    button->onClick = click(&TFrmMain::PortStuff);
  }
  ListView1->onChange = [this](Control& sender, int row, RowChange change) {
    ListView1Change(sender, row, change);
  };
  BtnSelDir->onClick = click(&TFrmMain::ChangePrintersettings);
  RBTprompt->onClick = click(&TFrmMain::ChangePrintersettings);
  RBTSaveAs->onClick = click(&TFrmMain::ChangePrintersettings);
  RBTTemplate->onClick = click(&TFrmMain::ChangePrintersettings);
  EditTemplate->onChange = click(&TFrmMain::ChangePrintersettings);
  CMBIfExists->onChange = click(&TFrmMain::ChangePrintersettings);
  CMBPdfType->onChange = click(&TFrmMain::ChangePrintersettings);
  CMBQuality->onChange = click(&TFrmMain::ChangePrintersettings);
  CHBShowPDF->onClick = click(&TFrmMain::ChangePrintersettings);
  EditSaveTo->onChange = click(&TFrmMain::ChangePrintersettings);
  Button1->onClick = click(&TFrmMain::Button1Click);
  MemFiles->onChange = click(&TFrmMain::MemFilesChange);
  BtnRegister->onClick = click(&TFrmMain::BtnRegisterClick);
}

void TFrmMain::FormCreate(Control&) {
  EditGhost->SetText(procs::FindGhostscriptFolder());
  LoadExtensionList();
  // After the list is loaded, whose change event enables it.
  BtnRegister->SetEnabled(false);
  PortStuff(*this);
  ShowUnsavedPdfs();
}

void TFrmMain::ShowUnsavedPdfs() {
  const size_t count = procs::CountUnsavedPdfs();
  LblUnsaved->SetText("Unsaved PDFs: " + std::to_string(count));
  LblUnsaved->SetVisible(count > 0);
  BtnUnsaved->SetVisible(count > 0);
}

void TFrmMain::BtnUnsavedClick(Control&) {
  // Without the trailing delimiter, which a quoted command line would
  // read as an escaped quote.
  platform::Current().shell->Execute(
      "open", platform::path::RemoveTrailingDelimiter(procs::UnsavedFolder()), "", "",
      platform::kSwShowNormal);
  ShowUnsavedPdfs();
}

void TFrmMain::BtnCloseClick(Control&) { Close(); }

void TFrmMain::EditGhostChange(Control&) {
  namespace path = platform::path;
  std::string folder = path::AddTrailingDelimiter(EditGhost->Text());
  BtnGhostFind->SetVisible(procs::GhostscriptProgramIn(folder).empty());
  Label2->SetText(BtnGhostFind->Visible() ? kMarkMissing : kMarkFound);
}

void TFrmMain::BtnGhostFindClick(Control&) {
  namespace path = platform::path;
  OpenDialog1->initialDir = EditGhost->Text();
  if (!OpenDialog1->Execute()) return;
  std::string folder = path::RemoveTrailingDelimiter(path::FolderPart(OpenDialog1->fileName));
  settings::SettingsFile().WriteText(settings::kLocation, folder);
  EditGhost->SetText(folder);
}

}  // namespace main_window
