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

  // Every component, by its name, as the class its kind stands for.
#define PDFPRINTER_CONTROL(name, kind, ...) \
  toolkit::ClassOf<toolkit::ControlKind::kind>* name = nullptr;
#include "resources/setup_window_controls.def"

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
  // The PDFs kept in the Unsaved folder: their number, and the button that
  // opens the folder, shown when there are any.
  void ShowUnsavedPdfs();
  void BtnUnsavedClick(toolkit::Control& sender);
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
