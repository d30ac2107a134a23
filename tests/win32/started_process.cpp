#include "tests/win32/started_process.h"

#include <cstdlib>
#include <vector>

namespace testing_support {

StartedProcess::StartedProcess(const std::string& commandLine, const std::string& desktop) {
  std::vector<char> buffer(commandLine.begin(), commandLine.end());
  buffer.push_back('\0');
  std::vector<char> desktopName(desktop.begin(), desktop.end());
  desktopName.push_back('\0');
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  if (!desktop.empty()) startup.lpDesktop = desktopName.data();
  PROCESS_INFORMATION info{};
  if (!::CreateProcessA(nullptr, buffer.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &info)) {
    return;
  }
  process_.Reset(info.hProcess);
  platform::win32::ScopedKernelHandle thread(info.hThread);
  id_ = info.dwProcessId;
}

StartedProcess::~StartedProcess() {
  if (Running()) Terminate(255);
}

bool StartedProcess::Running() const {
  return Started() && ::WaitForSingleObject(process_.Get(), 0) == WAIT_TIMEOUT;
}

std::optional<DWORD> StartedProcess::WaitForExit(std::chrono::milliseconds timeout) {
  if (!Started() ||
      ::WaitForSingleObject(process_.Get(), static_cast<DWORD>(timeout.count())) != WAIT_OBJECT_0) {
    return std::nullopt;
  }
  DWORD code = 0;
  if (!::GetExitCodeProcess(process_.Get(), &code)) return std::nullopt;
  return code;
}

void StartedProcess::Terminate(DWORD code) {
  if (!Started()) return;
  ::TerminateProcess(process_.Get(), code);
  ::WaitForSingleObject(process_.Get(), 10000);
}

std::optional<DWORD> ImportWithRegedit(const std::string& regFile) {
  const char* windows = std::getenv("windir");
  if (!windows) return std::nullopt;
  StartedProcess regedit("\"" + std::string(windows) + "\\regedit.exe\" /s \"" + regFile + "\"");
  return regedit.WaitForExit(std::chrono::seconds(60));
}

}  // namespace testing_support
