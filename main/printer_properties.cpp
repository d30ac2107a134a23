// "Properties...": the property sheet of the printer on the selected port.
#include "SHprinters/printer_actions.h"
#include "main/frm_main.h"

namespace main_window {

using namespace toolkit;

void TFrmMain::Button1Click(Control&) {
  int selected = ListView1->SelectedIndex();
  if (selected < 0 || ListView1->Row(selected).subItems.empty()) return;
  shprinters::ShowPrinterProperties(ListView1->Row(selected).subItems[0]);
}

}  // namespace main_window
