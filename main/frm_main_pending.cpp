// The handlers of TFrmMain that are wired but not built yet: each is an empty
// slot until its own part of the window is written (move it out of this file
// then).
#include "main/frm_main.h"

namespace main_window {

using toolkit::Control;
using toolkit::RowChange;

// FormCreate's step 2: load or create the extension list file.
void TFrmMain::LoadExtensionList() {}

void TFrmMain::MemFilesChange(Control&) {}

// "Reregister context object".
void TFrmMain::BtnRegisterClick(Control&) {}

}  // namespace main_window
