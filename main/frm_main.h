// TFrmMain: the "PDF Printer setup" window. Its components, built from the
// layout table in their declared order, the wiring of their events to the
// handlers, and the handlers themselves.
#pragma once

#include "main/control_model.h"

namespace main_window {

class TFrmMain : public Form {
 public:
  // Every component holds its initial state and every event is wired;
  // FormCreate has not run yet.
  TFrmMain();

  Button* BtnClose;
  OpenDialog* OpenDialog1;
  ImageList* ImageList1;
  PageControl* PageControl1;
  TabSheet* TabSheet1;
  TabSheet* TabSheet2;
  GroupBox* GroupBox1;
  Label* Label1;
  Label* Label2;
  Label* Label3;
  Button* BtnGhostFind;
  TextBox* EditGhost;
  GroupBox* GroupBox2;
  Label* Label4;
  ListView* ListView1;
  Button* BtnGetPrinters;
  Button* BtnAddPort;
  Button* BtnDelPort;
  Button* BtnAddPrinter;
  GroupBox* GroupBox3;
  Button* BtnSelDir;
  Label* Label5;
  Label* Label6;
  RadioButton* RBTprompt;
  RadioButton* RBTSaveAs;
  TextBox* EditSaveTo;
  CheckBox* CHBShowPDF;
  Button* Button1;
  GroupBox* GroupBox4;
  Image* Image1;
  Label* Label7;
  GroupBox* GroupBox5;
  TextBox* MemFiles;
  Label* Label8;
  Button* BtnRegister;
  Label* Label9;

  // The creation step, once, before the window is first shown. Run it
  // through RunEvent: an error skips the remaining steps.
  void FormCreate(Control& sender);
  void BtnCloseClick(Control& sender);

  // Ghostscript location group.
  void EditGhostChange(Control& sender);
  void BtnGhostFindClick(Control& sender);

  // Port and printer list.
  void PortStuff(Control& sender);
  // Printer details panel.
  void ListView1Change(Control& sender, int row, RowChange change);
  void ChangePrintersettings(Control& sender);
  void ShowPrinterDetails();
  // Printers-folder shell operations.
  void Button1Click(Control& sender);
  // Batch converter page.
  void MemFilesChange(Control& sender);
  void BtnRegisterClick(Control& sender);

 private:
  void Wire();
  // FormCreate's step 2: the batch converter's extension list.
  void LoadExtensionList();
};

// The marks Label2 shows in the "Wingdings" font.
inline constexpr char kMarkMissing[] = "\xFD";  // box with a cross
inline constexpr char kMarkFound[] = "\xFE";    // box with a check

}  // namespace main_window
