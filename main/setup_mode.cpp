#include "main/setup_mode.h"

#include <cstdio>

#include "main/frm_main.h"
#include "toolkit/run_window.h"

namespace main_window {

void RunSetupMode() {
  TFrmMain form;
  form.RunEvent([&form] { form.FormCreate(form); });
  form.RunEvent([&form] { form.OfferPortsOfAnotherCopy(); });
  if (!toolkit::RunWindow(form)) {
    std::fputs(
        "The \"PDF Printer setup\" window belongs to the Windows build; this build has none.\n"
        "Run it under Wine: wine build/win32/pdfprinter.exe\n",
        stderr);
  }
}

}  // namespace main_window
