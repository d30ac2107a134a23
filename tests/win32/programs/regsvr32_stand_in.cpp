// Stand-in for the system's RegSvr32.exe, for tests under Wine. Each run
// appends one line to the file that the environment variable
// PDFPRINTER_REGSVR32_LOG names: the system time at its start and at its
// end (100-nanosecond units) and its raw command line. An unregistering run
// ("-u") takes a second, or the milliseconds PDFPRINTER_REGSVR32_UNREGISTER_MS
// names, so a run that starts before it ends shows as an overlap.
#include <string>

#include "platform/win32/windows_api.h"

namespace {

unsigned long long Now() {
  FILETIME time;
  ::GetSystemTimeAsFileTime(&time);
  return static_cast<unsigned long long>(time.dwHighDateTime) << 32 | time.dwLowDateTime;
}

}  // namespace

int main() {
  unsigned long long start = Now();
  std::string commandLine = ::GetCommandLineA();
  if (commandLine.find(" -u ") != std::string::npos) {
    // Pumping messages all the while, as a registration with windows does:
    // WinExec, which waits until the program waits for input, returns early.
    char ms[32] = {};
    int rounds = ::GetEnvironmentVariableA("PDFPRINTER_REGSVR32_UNREGISTER_MS", ms, sizeof ms)
                     ? std::stoi(ms) / 10
                     : 100;
    for (int i = 0; i < rounds; ++i) {
      ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
      MSG message;
      while (::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageA(&message);
    }
  }
  char log[MAX_PATH] = {};
  if (!::GetEnvironmentVariableA("PDFPRINTER_REGSVR32_LOG", log, sizeof log)) return 3;
  std::string line = std::to_string(start) + " " + std::to_string(Now()) + " " + commandLine + "\n";
  HANDLE file = ::CreateFileA(log, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return 4;
  DWORD written = 0;
  bool ok = ::WriteFile(file, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
  ::CloseHandle(file);
  return ok ? 0 : 5;
}
