// The handlers of TFrmMain that are wired but not built yet: each is an empty
// slot until its own part of the window is written (move it out of this file
// then).
#include "main/frm_main.h"

namespace main_window {

using toolkit::Control;
using toolkit::RowChange;

// "Refresh", "Add new port", "Delete port", "Add PDF printer..." and the
// window's creation: fill the port list.
void TFrmMain::PortStuff(Control&) {}

void TFrmMain::ListView1Change(Control&, int, RowChange) {}

void TFrmMain::ChangePrintersettings(Control&) {}

void TFrmMain::ShowPrinterDetails() {}

// "Properties...": the selected printer's properties.
void TFrmMain::Button1Click(Control&) {}

}  // namespace main_window
