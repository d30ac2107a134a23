#include <cstdio>

#include "platform/window_host.h"

namespace platform {

void ShowSetupWindow(main_window::Form&) {
  std::fputs(
      "The \"PDF Printer setup\" window belongs to the Windows build; this build has none.\n"
      "Run it under Wine: wine build/win32/pdfprinter.exe\n",
      stderr);
}

}  // namespace platform
