// Test helper: holds the program's settings lock, as any other program
// could, for a while:
//   hold_settings_lock MARKER SECONDS
// Takes the global mutex, writes MARKER once it holds it, and exits after
// SECONDS (which releases it).
#include <cstdlib>
#include <fstream>

#include "platform/win32/windows_api.h"

int main(int argc, char** argv) {
  if (argc != 3) return 254;
  HANDLE mutex = ::CreateMutexA(nullptr, TRUE, "Global\\PdfPrinterSettings");
  if (!mutex || ::GetLastError() == ERROR_ALREADY_EXISTS) return 1;
  std::ofstream(argv[1]) << "held";
  ::Sleep(static_cast<DWORD>(std::strtoul(argv[2], nullptr, 10) * 1000));
  return 0;
}
