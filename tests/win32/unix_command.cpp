#include "tests/win32/unix_command.h"

#include <atomic>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <vector>

#include "platform/win32/scoped_handle.h"
#include "platform/win32/windows_api.h"

namespace testing_support {

namespace {

using platform::win32::ScopedKernelHandle;

// Wine's own exports (kernel32): both answer memory from the process heap.
using UnixNameFunction = char*(CDECL*)(const WCHAR*);
using DosNameFunction = WCHAR*(CDECL*)(const char*);

template <typename Function>
Function WineFunction(const char* name) {
  HMODULE kernel = ::GetModuleHandleA("kernel32.dll");
  FARPROC found = kernel ? ::GetProcAddress(kernel, name) : nullptr;
  // Through the generic function type, which the compiler accepts for any.
  return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(found));
}

struct HeapText {
  void* p;
  ~HeapText() {
    if (p) ::HeapFree(::GetProcessHeap(), 0, p);
  }
};

std::wstring Wide(const std::string& text) {
  int n = ::MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, nullptr, 0);
  if (n <= 0) return {};
  std::vector<WCHAR> out(n);
  ::MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, out.data(), n);
  return out.data();
}

std::string Narrow(const WCHAR* text) {
  int n = ::WideCharToMultiByte(CP_ACP, 0, text, -1, nullptr, 0, nullptr, nullptr);
  if (n <= 0) return {};
  std::vector<char> out(n);
  ::WideCharToMultiByte(CP_ACP, 0, text, -1, out.data(), n, nullptr, nullptr);
  return out.data();
}

std::string ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream all;
  all << in.rdbuf();
  return all.str();
}

bool WriteAll(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << bytes;
  out.close();
  return !out.fail();
}

bool Exists(const std::string& path) {
  return ::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// The temporary folder; the program's own when this program's code page
// cannot name the temporary one (a job's, in another script).
std::string TemporaryFolder() {
  char temp[MAX_PATH + 1] = {};
  DWORD n = ::GetTempPathA(sizeof temp, temp);
  if (n > 0 && n <= MAX_PATH && Exists(temp)) return temp;
  n = ::GetModuleFileNameA(nullptr, temp, MAX_PATH);
  std::string own(temp, n);
  return own.substr(0, own.find_last_of('\\') + 1);
}

// A fresh folder in the Windows temp folder, removed with its files.
class WorkFolder {
 public:
  WorkFolder() {
    static std::atomic<unsigned> counter{0};
    std::string temp = TemporaryFolder();
    if (temp.empty()) return;
    for (int attempt = 0; attempt < 100 && path_.empty(); ++attempt) {
      std::string candidate = temp + "unix-command-" + std::to_string(::GetCurrentProcessId()) +
                              "-" + std::to_string(counter++) + "-" +
                              std::to_string(::GetTickCount());
      if (::CreateDirectoryA(candidate.c_str(), nullptr)) path_ = candidate;
    }
  }
  ~WorkFolder() {
    if (path_.empty()) return;
    for (const char* name : {"command.sh", "run.sh", "output", "status", "status.tmp"}) {
      ::DeleteFileA(File(name).c_str());
    }
    ::RemoveDirectoryA(path_.c_str());
  }
  WorkFolder(const WorkFolder&) = delete;
  WorkFolder& operator=(const WorkFolder&) = delete;

  bool Valid() const { return !path_.empty(); }
  const std::string& Path() const { return path_; }
  std::string File(const std::string& name) const { return path_ + "\\" + name; }

 private:
  std::string path_;
};

}  // namespace

bool RunningUnderWine() {
  return WineFunction<UnixNameFunction>("wine_get_unix_file_name") != nullptr;
}

std::optional<std::string> UnixPath(const std::string& windowsPath) {
  auto convert = WineFunction<UnixNameFunction>("wine_get_unix_file_name");
  if (!convert || windowsPath.empty()) return std::nullopt;
  std::wstring wide = Wide(windowsPath);
  HeapText converted{convert(wide.c_str())};
  if (!converted.p) return std::nullopt;
  return std::string(static_cast<const char*>(converted.p));
}

std::optional<std::string> WindowsPath(const std::string& unixPath) {
  auto convert = WineFunction<DosNameFunction>("wine_get_dos_file_name");
  if (!convert || unixPath.empty()) return std::nullopt;
  HeapText dos{convert(unixPath.c_str())};
  if (!dos.p) return std::nullopt;
  return Narrow(static_cast<const WCHAR*>(dos.p));
}

std::string UnixQuote(const std::string& word) {
  std::string out = "'";
  for (char c : word) {
    if (c == '\'') {
      out += "'\\''";
    } else {
      out += c;
    }
  }
  return out + "'";
}

UnixCommandResult RunUnixCommand(const std::string& command, std::chrono::milliseconds timeout) {
  UnixCommandResult result;
  WorkFolder work;
  if (!work.Valid()) return result;
  auto unixFolder = UnixPath(work.Path());
  if (!unixFolder) return result;
  *unixFolder += '/';
  auto inFolder = [&](const char* name) { return UnixQuote(*unixFolder + name); };

  // The marker appears by rename, so a partly written exit code is never read;
  // after a time-out the folder may be gone, and the late marker is dropped.
  const std::string runner = "/bin/sh " + inFolder("command.sh") + " >" + inFolder("output") +
                             " 2>&1 </dev/null\n"
                             "{ echo $? >" +
                             inFolder("status.tmp") + " && mv " + inFolder("status.tmp") + " " +
                             inFolder("status") + "; } 2>/dev/null\n";
  if (!WriteAll(work.File("command.sh"), command + "\n") ||
      !WriteAll(work.File("run.sh"), runner)) {
    return result;
  }

  std::string line = "/bin/sh \"" + *unixFolder + "run.sh\"";
  std::vector<char> buffer(line.begin(), line.end());
  buffer.push_back('\0');
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info{};
  if (!::CreateProcessA(nullptr, buffer.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &info)) {
    return result;
  }
  ScopedKernelHandle process(info.hProcess);
  ScopedKernelHandle thread(info.hThread);
  result.started = true;

  const std::string status = work.File("status");
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  DWORD pause = 10;
  while (!Exists(status)) {
    if (std::chrono::steady_clock::now() >= deadline) {
      result.output = ReadAll(work.File("output"));
      return result;
    }
    ::Sleep(pause);
    if (pause < 100) pause += 10;
  }
  result.finished = true;
  result.exitCode = std::atoi(ReadAll(status).c_str());
  result.output = ReadAll(work.File("output"));
  return result;
}

}  // namespace testing_support
