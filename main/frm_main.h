// TFrmMain: the "PDF Printer setup" window. Its components, built from the
// layout table in their declared order, the wiring of their events to the
// handlers, and the handlers themselves.
#pragma once

#include "toolkit/control_model.h"

namespace main_window {

class TFrmMain : public toolkit::Form {
 public:
  // Every component holds its initial state and every event is wired;
  // FormCreate has not run yet.
  TFrmMain();

  toolkit::Button* BtnClose;
  toolkit::OpenDialog* OpenDialog1;
  toolkit::ImageList* ImageList1;
  toolkit::PageControl* PageControl1;
  toolkit::TabSheet* TabSheet1;
  toolkit::TabSheet* TabSheet2;
  toolkit::GroupBox* GroupBox1;
  toolkit::Label* Label1;
  toolkit::Label* Label2;
  toolkit::Label* Label3;
  toolkit::Button* BtnGhostFind;
  toolkit::TextBox* EditGhost;
  toolkit::GroupBox* GroupBox2;
  toolkit::Label* Label4;
  toolkit::ListView* ListView1;
  toolkit::Button* BtnGetPrinters;
  toolkit::Button* BtnAddPort;
  toolkit::Button* BtnDelPort;
  toolkit::Button* BtnAddPrinter;
  toolkit::GroupBox* GroupBox3;
  toolkit::Button* BtnSelDir;
  toolkit::Label* Label5;
  toolkit::Label* Label6;
  toolkit::RadioButton* RBTprompt;
  toolkit::RadioButton* RBTSaveAs;
  toolkit::TextBox* EditSaveTo;
  toolkit::CheckBox* CHBShowPDF;
  toolkit::Button* Button1;
  toolkit::GroupBox* GroupBox4;
  toolkit::Image* Image1;
  toolkit::Label* Label7;
  toolkit::GroupBox* GroupBox5;
  toolkit::TextBox* MemFiles;
  toolkit::Label* Label8;
  toolkit::Button* BtnRegister;
  toolkit::Label* Label9;

  // The creation step, once, before the window is first shown. Run it
  // through RunEvent: an error skips the remaining steps.
  void FormCreate(toolkit::Control& sender);
  void BtnCloseClick(toolkit::Control& sender);

  // Ghostscript location group.
  void EditGhostChange(toolkit::Control& sender);
  void BtnGhostFindClick(toolkit::Control& sender);

  // Port and printer list.
  void PortStuff(toolkit::Control& sender);
  // After the window's creation, as an event of its own: ports that start
  // another copy of the program, offered in one Yes/No box to be pointed at
  // this one.
  void OfferPortsOfAnotherCopy();
  // Printer details panel.
  void ListView1Change(toolkit::Control& sender, int row, toolkit::RowChange change);
  void ChangePrintersettings(toolkit::Control& sender);
  void ShowPrinterDetails();
  // Printers-folder shell operations.
  void Button1Click(toolkit::Control& sender);
  // Batch converter page.
  void MemFilesChange(toolkit::Control& sender);
  void BtnRegisterClick(toolkit::Control& sender);

 private:
  void Wire();
  // FormCreate's step 2: the batch converter's extension list.
  void LoadExtensionList();
};

// The marks Label2 shows in the "Wingdings" font.
inline constexpr char kMarkMissing[] = "\xFD";  // box with a cross
inline constexpr char kMarkFound[] = "\xFE";    // box with a check

}  // namespace main_window
