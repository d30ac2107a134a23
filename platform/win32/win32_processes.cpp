#include <algorithm>
#include <cstdint>
#include <vector>

#include "platform/rules/output_lines.h"
#include "platform/win32/code_page_conversion.h"
#include "platform/win32/scoped_handle.h"
#include "platform/win32/win32_backends.h"
#include "platform/win32/windows_api.h"

namespace platform::win32 {

namespace {

static_assert(sizeof(void*) != 4 || sizeof(STARTUPINFOA) == 68,
              "the 32-bit start-up record is 68 bytes");

WORD ShowMode(const LaunchOptions& options) { return options.hidden ? SW_HIDE : SW_SHOW; }

// WaitForSingleObject, or with dispatch a wait that keeps the thread's
// windows answering.
DWORD WaitFor(HANDLE process, DWORD limit, bool dispatch) {
  if (!dispatch) return ::WaitForSingleObject(process, limit);
  const DWORD start = ::GetTickCount();
  bool quit = false;
  WPARAM quitCode = 0;
  DWORD result = WAIT_TIMEOUT;
  for (;;) {
    DWORD elapsed = ::GetTickCount() - start;
    DWORD remaining = limit == INFINITE ? INFINITE : (elapsed >= limit ? 0 : limit - elapsed);
    if (quit) {
      result = ::WaitForSingleObject(process, remaining);
      break;
    }
    result = ::MsgWaitForMultipleObjects(1, &process, FALSE, remaining, QS_ALLINPUT);
    if (result != WAIT_OBJECT_0 + 1) break;
    MSG message;
    // Unicode, like the window's own loop (typed characters).
    while (!quit && ::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      if (message.message == WM_QUIT) {
        quit = true;
        quitCode = message.wParam;
      } else {
        ::TranslateMessage(&message);
        ::DispatchMessageW(&message);
      }
    }
  }
  if (quit) ::PostQuitMessage(static_cast<int>(quitCode));
  return result;
}

// The caller's environment with TEMP and TMP set to the folder, as a block
// for CreateProcess (UTF-16, so that any name survives).
std::vector<WCHAR> EnvironmentWithTemporaryFolder(const std::string& folder) {
  std::vector<WCHAR> block;
  const std::wstring wideFolder = ProgramToWide(folder);
  // Names compare without regard to case, as the system's do.
  auto named = [](const WCHAR* entry, const WCHAR* prefix) {
    for (; *prefix; ++entry, ++prefix) {
      WCHAR c = *entry >= L'a' && *entry <= L'z' ? *entry - L'a' + L'A' : *entry;
      if (c != *prefix) return false;
    }
    return true;
  };
  if (WCHAR* strings = ::GetEnvironmentStringsW()) {
    for (const WCHAR* entry = strings; *entry; entry += ::lstrlenW(entry) + 1) {
      if (named(entry, L"TEMP=") || named(entry, L"TMP=")) continue;
      block.insert(block.end(), entry, entry + ::lstrlenW(entry) + 1);
    }
    ::FreeEnvironmentStringsW(strings);
  }
  for (const std::wstring name : {L"TEMP=", L"TMP="}) {
    const std::wstring entry = name + wideFolder;
    block.insert(block.end(), entry.c_str(), entry.c_str() + entry.size() + 1);
  }
  block.push_back(L'\0');
  return block;
}

// A job object that ends its processes when its last handle closes: when
// the caller ends, however it ends, so do they.
ScopedKernelHandle JobThatEndsWithItsOwner() {
  ScopedKernelHandle job(::CreateJobObjectA(nullptr, nullptr));
  if (!job.IsValid()) return job;
  JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits{};
  limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
  ::SetInformationJobObject(job.Get(), JobObjectExtendedLimitInformation, &limits, sizeof limits);
  return job;
}

// The read end of a pipe for a program's output, whose write end it
// inherits. Big, so that a program never waits for the reader between two
// of its ticks.
struct OutputPipe {
  ScopedKernelHandle reader, writer;
  bool Make() {
    SECURITY_ATTRIBUTES inherited{sizeof inherited, nullptr, TRUE};
    HANDLE read = nullptr, write = nullptr;
    if (!::CreatePipe(&read, &write, &inherited, 1 << 20)) return false;
    reader = ScopedKernelHandle(read);
    writer = ScopedKernelHandle(write);
    return ::SetHandleInformation(read, HANDLE_FLAG_INHERIT, 0) != 0;
  }
  // Gives what the pipe holds now, never waiting for more.
  void Drain(OutputLines& lines) {
    char chunk[4096];
    DWORD available = 0, read = 0;
    while (
        ::PeekNamedPipe(reader.Get(), nullptr, 0, nullptr, &available, nullptr) && available > 0 &&
        ::ReadFile(reader.Get(), chunk, std::min<DWORD>(available, sizeof chunk), &read, nullptr) &&
        read > 0) {
      lines.Add(chunk, read);
    }
  }
};

// Waits for the process as WaitFor does, up to `limit` ms, giving its
// output's lines and ticking (LaunchOptions::onOutputLine, onTick).
// WAIT_OBJECT_0 when it ended; WAIT_TIMEOUT at the limit, and `cancelled`
// set when a tick said to end.
DWORD WaitWatching(HANDLE process, DWORD limit, const LaunchOptions& options, OutputPipe& output,
                   bool& cancelled) {
  const DWORD tick = static_cast<DWORD>(LaunchOptions::kTickInterval.count());
  OutputLines lines([&](const std::string& line) {
    if (options.onOutputLine) options.onOutputLine(line);
  });
  const DWORD start = ::GetTickCount();
  for (;;) {
    const DWORD elapsed = ::GetTickCount() - start;
    const DWORD remaining = limit == INFINITE ? INFINITE : (elapsed >= limit ? 0 : limit - elapsed);
    const DWORD result = WaitFor(process, std::min(remaining, tick), options.dispatchMessages);
    output.Drain(lines);
    if (result == WAIT_OBJECT_0) {
      lines.Finish();
      return result;
    }
    if (result != WAIT_TIMEOUT || remaining <= tick) return WAIT_TIMEOUT;
    if (options.onTick && !options.onTick()) {
      cancelled = true;
      return WAIT_TIMEOUT;
    }
  }
}

// Left running also when the wait or the exit code fails: no code is known.
LaunchResult StartAndWait(const std::string& commandLine, const LaunchOptions& options) {
  // CreateProcessA may write into its command line; any length is kept.
  std::vector<char> buffer(commandLine.begin(), commandLine.end());
  buffer.push_back('\0');

  STARTUPINFOA startup;
  ::ZeroMemory(&startup, sizeof startup);
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = ShowMode(options);
  const bool watched = options.endWithCaller && (options.onOutputLine || options.onTick);
  OutputPipe output;
  if (watched) {
    if (!output.Make()) return LaunchResult::NotStarted();
    startup.dwFlags |= STARTF_USESTDHANDLES;
    startup.hStdOutput = startup.hStdError = output.writer.Get();
  }

  // Ended at the limit, or with the caller: the program starts suspended in
  // a job object of its own, which its children join, and the job is ended
  // as a whole.
  const bool end = options.waitLimit && options.endAtLimit;
  const bool owned = end || options.endWithCaller;
  ScopedKernelHandle job(options.endWithCaller ? JobThatEndsWithItsOwner()
                         : end ? ScopedKernelHandle(::CreateJobObjectA(nullptr, nullptr))
                               : ScopedKernelHandle(nullptr));
  std::vector<WCHAR> environment;
  if (options.temporaryFolder)
    environment = EnvironmentWithTemporaryFolder(*options.temporaryFolder);
  PROCESS_INFORMATION info{};
  if (!::CreateProcessA(
          nullptr, buffer.data(), nullptr, nullptr, watched ? TRUE : FALSE,
          CREATE_NEW_CONSOLE | NORMAL_PRIORITY_CLASS | (owned ? CREATE_SUSPENDED : 0) |
              (environment.empty() ? 0 : CREATE_UNICODE_ENVIRONMENT),
          environment.empty() ? nullptr : environment.data(), nullptr, &startup, &info)) {
    return LaunchResult::NotStarted();
  }
  ScopedKernelHandle process(info.hProcess);
  ScopedKernelHandle thread(info.hThread);
  output.writer.Reset();
  if (owned) {
    if (job.IsValid()) ::AssignProcessToJobObject(job.Get(), process.Get());
    ::ResumeThread(thread.Get());
  }

  DWORD limit = INFINITE;
  if (options.waitLimit) {
    limit = static_cast<DWORD>(std::clamp<int64_t>(options.waitLimit->count(), 0, INFINITE - 1));
  }
  bool cancelled = false;
  const DWORD waited = watched ? WaitWatching(process.Get(), limit, options, output, cancelled)
                               : WaitFor(process.Get(), limit, options.dispatchMessages);
  if (waited != WAIT_OBJECT_0) {
    if (!end && !cancelled) return LaunchResult::LeftRunning();
    if (!job.IsValid() || !::TerminateJobObject(job.Get(), 1)) ::TerminateProcess(process.Get(), 1);
    ::WaitForSingleObject(process.Get(), 5000);
    return cancelled ? LaunchResult::Cancelled() : LaunchResult::StoppedAtLimit();
  }
  DWORD exitCode = 0;
  if (!::GetExitCodeProcess(process.Get(), &exitCode)) return LaunchResult::LeftRunning();
  return LaunchResult::Exited(static_cast<uint32_t>(exitCode));
}

class Win32Processes : public Processes {
 public:
  LaunchResult Launch(const std::string& commandLine, const LaunchOptions& options) override {
    if (options.wait) return StartAndWait(commandLine, options);
    if (::WinExec(commandLine.c_str(), ShowMode(options)) > 31) return LaunchResult::Started();
    return LaunchResult::NotStarted();
  }
};

}  // namespace

std::unique_ptr<Processes> MakeProcesses() { return std::make_unique<Win32Processes>(); }

}  // namespace platform::win32
