#include <vector>

#include "platform/win32/scoped_handle.h"
#include "platform/win32/win32_backends.h"
#include "platform/win32/windows_api.h"

namespace platform::win32 {

namespace {

static_assert(sizeof(void*) != 4 || sizeof(STARTUPINFOA) == 68,
              "the 32-bit start-up record is 68 bytes");

class Win32Processes : public Processes {
 public:
  // Nothing also when the wait or the exit code fails: no code is known.
  std::optional<uint32_t> RunAndWait(const std::string& commandLine, uint16_t showMode) override {
    // CreateProcessA may write into its command line; any length is kept.
    std::vector<char> buffer(commandLine.begin(), commandLine.end());
    buffer.push_back('\0');

    STARTUPINFOA startup;
    ::ZeroMemory(&startup, sizeof startup);
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = showMode;

    PROCESS_INFORMATION info{};
    if (!::CreateProcessA(nullptr, buffer.data(), nullptr, nullptr, FALSE,
                          CREATE_NEW_CONSOLE | NORMAL_PRIORITY_CLASS, nullptr, nullptr, &startup,
                          &info)) {
      return std::nullopt;
    }
    ScopedKernelHandle process(info.hProcess);
    ScopedKernelHandle thread(info.hThread);

    if (::WaitForSingleObject(process.Get(), INFINITE) == WAIT_FAILED) return std::nullopt;
    DWORD exitCode = 0;
    if (!::GetExitCodeProcess(process.Get(), &exitCode)) return std::nullopt;
    return static_cast<uint32_t>(exitCode);
  }

  bool Start(const std::string& commandLine, uint16_t showMode) override {
    return ::WinExec(commandLine.c_str(), showMode) > 31;
  }
};

}  // namespace

std::unique_ptr<Processes> MakeProcesses() { return std::make_unique<Win32Processes>(); }

}  // namespace platform::win32
