#include <vector>

#include "platform/rules/path.h"
#include "platform/win32/code_page_conversion.h"
#include "platform/win32/win32_backends.h"
#include "platform/win32/windows_api.h"

namespace platform::win32 {

namespace {

class Win32ProcessInfo : public ProcessInfo {
 public:
  std::string ProgramPath() override {
    char buffer[261] = {};
    DWORD n = ::GetModuleFileNameA(nullptr, buffer, sizeof buffer);
    return std::string(buffer, n);
  }

  std::string CommandLine() override {
    const char* line = ::GetCommandLineA();
    return line ? line : "";
  }

  std::string SystemFolder() override {
    char buffer[MAX_PATH + 1] = {};
    UINT n = ::GetSystemDirectoryA(buffer, sizeof buffer);
    return n < sizeof buffer ? std::string(buffer, n) : std::string();
  }

  std::string HomeFolder() override {
    WCHAR home[32768] = {};
    DWORD n = ::GetEnvironmentVariableW(L"USERPROFILE", home, 32768);
    if (n == 0 || n >= 32768) return "";
    return ProgramText(home).value_or("");
  }

  std::string UserDataFolder() override {
    if (auto set = EnvironmentVariable("LOCALAPPDATA"); set && !set->empty()) return *set;
    WCHAR folder[MAX_PATH + 1] = {};
    if (::SHGetFolderPathW(nullptr, CSIDL_LOCAL_APPDATA | CSIDL_FLAG_DONT_VERIFY, nullptr,
                           SHGFP_TYPE_CURRENT, folder) == S_OK) {
      if (auto text = ProgramText(folder); text && !text->empty()) return *text;
    }
    WCHAR temporary[MAX_PATH + 2] = {};
    DWORD n = ::GetTempPathW(MAX_PATH + 1, temporary);
    if (n == 0 || n > MAX_PATH + 1) return "";
    return path::RemoveTrailingDelimiter(ProgramText(temporary).value_or(""), path::Style::Windows);
  }

  std::optional<std::string> EnvironmentVariable(const std::string& name) override {
    std::vector<WCHAR> value(32768);
    ::SetLastError(ERROR_SUCCESS);
    DWORD n = ::GetEnvironmentVariableW(ProgramToWide(name).c_str(), value.data(),
                                        static_cast<DWORD>(value.size()));
    if (n == 0 && ::GetLastError() == ERROR_ENVVAR_NOT_FOUND) return std::nullopt;
    if (n >= value.size()) return std::nullopt;
    value[n] = L'\0';
    return ProgramText(value.data());
  }

  std::string UserName() override {
    WCHAR name[257] = {};
    DWORD size = 257;
    return ::GetUserNameW(name, &size) ? ProgramText(name).value_or("") : "";
  }

  std::string ComputerName() override {
    WCHAR name[MAX_COMPUTERNAME_LENGTH + 1] = {};
    DWORD size = MAX_COMPUTERNAME_LENGTH + 1;
    return ::GetComputerNameW(name, &size) ? ProgramText(name).value_or("") : "";
  }

  bool CanBeElevated() override {
    HANDLE token = nullptr;
    if (!::OpenProcessToken(::GetCurrentProcess(), TOKEN_QUERY, &token)) return false;
    TOKEN_ELEVATION elevation{};
    DWORD size = 0;
    BOOL known = ::GetTokenInformation(token, TokenElevation, &elevation, sizeof elevation, &size);
    ::CloseHandle(token);
    if (!known || elevation.TokenIsElevated) return false;
    // UAC is on where "EnableLUA" is set; a system without the value (Wine)
    // has none.
    DWORD enabled = 0;
    DWORD length = sizeof enabled;
    return ::RegGetValueA(
               HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Policies\\System",
               "EnableLUA", RRF_RT_REG_DWORD, nullptr, &enabled, &length) == ERROR_SUCCESS &&
           enabled != 0;
  }

  ModuleLocation ModuleOf(const void* address) override {
    HMODULE module = nullptr;
    if (!address || !::GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS |
                                              GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                                          static_cast<LPCSTR>(address), &module)) {
      return {};
    }
    char buffer[261] = {};
    DWORD n = ::GetModuleFileNameA(module, buffer, sizeof buffer);
    return {path::FileNamePart(std::string(buffer, n), path::Style::Windows),
            reinterpret_cast<uintptr_t>(address) - reinterpret_cast<uintptr_t>(module)};
  }
};

}  // namespace

std::unique_ptr<ProcessInfo> MakeProcessInfo() { return std::make_unique<Win32ProcessInfo>(); }

}  // namespace platform::win32
