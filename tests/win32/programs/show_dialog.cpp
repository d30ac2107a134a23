// Test helper for the window driver:
//   show_dialog message TITLE TEXT    an error box with OK and Cancel; exits
//                                     with the answer (IDOK 1, IDCANCEL 2)
//   show_dialog save TITLE RESULT     an explorer-style save dialog; writes
//                                     the accepted path to RESULT and exits
//                                     with 1, or exits with 0 when cancelled
#include <cstring>
#include <fstream>
#include <string>

#include "platform/win32/windows_api.h"

int main(int argc, char** argv) {
  if (argc != 4) return 254;
  if (std::strcmp(argv[1], "message") == 0) {
    return ::MessageBoxA(nullptr, argv[3], argv[2], MB_OKCANCEL | MB_ICONERROR);
  }
  if (std::strcmp(argv[1], "save") != 0) return 254;
  char file[MAX_PATH + 1] = {};
  static const char kFilter[] = "PDF files (*.pdf)\0*.pdf\0All files (*.*)\0*.*\0";
  OPENFILENAMEA ofn{};
  ofn.lStructSize = sizeof ofn;
  ofn.lpstrFilter = kFilter;
  ofn.nFilterIndex = 1;
  ofn.lpstrFile = file;
  ofn.nMaxFile = sizeof file;
  ofn.lpstrTitle = argv[2];
  ofn.lpstrDefExt = "pdf";
  ofn.Flags = OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_ENABLESIZING | OFN_EXPLORER;
  if (!::GetSaveFileNameA(&ofn)) return 0;
  std::ofstream(argv[3], std::ios::binary) << file;
  return 1;
}
