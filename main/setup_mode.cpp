#include "main/setup_mode.h"

#include <cctype>
#include <cstdio>

#include "main/frm_main.h"
#include "platform/path.h"
#include "toolkit/run_window.h"

namespace main_window {

std::string ApplicationTitle(const std::string& programPath) {
  std::string name = platform::path::FileNamePart(programPath);
  name = name.substr(0, name.find('.'));
  for (size_t i = 1; i < name.size(); ++i) {
    name[i] = static_cast<char>(std::tolower(static_cast<unsigned char>(name[i])));
  }
  return name;
}

void RunSetupMode() {
  TFrmMain form;
  form.RunEvent([&form] { form.FormCreate(form); });
  if (!toolkit::RunWindow(form)) {
    std::fputs(
        "The \"PDF Printer setup\" window belongs to the Windows build; this build has none.\n"
        "Run it under Wine: wine build/win32/pdfprinter.exe\n",
        stderr);
  }
}

}  // namespace main_window
