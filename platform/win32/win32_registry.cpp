// The system registry below HKEY_LOCAL_MACHINE, through the ANSI functions.
#include <utility>

#include "platform/win32/scoped_handle.h"
#include "platform/win32/system_function.h"
#include "platform/win32/win32_backends.h"
#include "platform/win32/windows_api.h"

namespace platform::win32 {

namespace {

// Only a 64-bit Windows has a 64-bit view: there a 32-bit program runs under
// WOW64. Elsewhere Windows ignores KEY_WOW64_64KEY and would show the same
// keys again. IsWow64Process is looked up, since early XP lacks it.
bool HasSixtyFourBitView() {
  static const bool has = [] {
    if (sizeof(void*) == 8) return true;
    using IsWow64ProcessFunction = BOOL(WINAPI*)(HANDLE, PBOOL);
    auto isWow64Process = LookUpFunction<IsWow64ProcessFunction>(::GetModuleHandleA("kernel32.dll"),
                                                                 "IsWow64Process");
    BOOL wow64 = FALSE;
    return isWow64Process && isWow64Process(::GetCurrentProcess(), &wow64) && wow64;
  }();
  return has;
}

bool InAbsentView(uint32_t access) { return (access & KEY_WOW64_64KEY) && !HasSixtyFourBitView(); }

std::vector<std::string> ListSubkeys(HKEY key) {
  std::vector<std::string> names;
  DWORD count = 0;
  DWORD longest = 0;
  if (::RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, &count, &longest, nullptr, nullptr,
                         nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) {
    return names;
  }
  std::string buffer(longest + 1, '\0');
  DWORD index = 0;
  while (index < count) {
    DWORD length = static_cast<DWORD>(buffer.size());
    LONG status =
        ::RegEnumKeyExA(key, index, buffer.data(), &length, nullptr, nullptr, nullptr, nullptr);
    if (status == ERROR_MORE_DATA && buffer.size() < 32768) {
      // A longer name appeared since the count was taken: retry this index.
      buffer.assign(buffer.size() * 2 + 256, '\0');
      continue;
    }
    if (status != ERROR_SUCCESS) break;
    names.emplace_back(buffer.data(), length);
    ++index;
  }
  return names;
}

// RegDeleteTree is missing before Vista: delete the subkeys bottom-up, last
// first, then the key itself.
bool DeleteTree(HKEY parent, const std::string& path) {
  {
    ScopedRegistryKey key;
    if (::RegOpenKeyExA(parent, path.c_str(), 0, KEY_ALL_ACCESS, key.Receive()) != ERROR_SUCCESS) {
      return false;
    }
    std::vector<std::string> names = ListSubkeys(key.Get());
    for (auto it = names.rbegin(); it != names.rend(); ++it) DeleteTree(key.Get(), *it);
  }
  return ::RegDeleteKeyA(parent, path.c_str()) == ERROR_SUCCESS;
}

class Win32Key : public RegistryKey {
 public:
  explicit Win32Key(ScopedRegistryKey key) : key_(std::move(key)) {}

  std::vector<std::string> SubkeyNames() override { return ListSubkeys(key_.Get()); }

  std::optional<RegistryValue> ReadValue(const std::string& name) override {
    RegistryValue value;
    DWORD type = 0;
    DWORD size = 0;
    LONG status = ::RegQueryValueExA(key_.Get(), name.c_str(), nullptr, &type, nullptr, &size);
    for (int attempt = 0; status == ERROR_SUCCESS || status == ERROR_MORE_DATA; ++attempt) {
      if (attempt > 4) return std::nullopt;  // keeps growing under us
      value.data.assign(size, '\0');
      status = ::RegQueryValueExA(key_.Get(), name.c_str(), nullptr, &type,
                                  reinterpret_cast<BYTE*>(value.data.data()), &size);
      if (status == ERROR_SUCCESS) {
        value.data.resize(size);
        value.type = type;
        return value;
      }
    }
    return std::nullopt;
  }

  bool WriteString(const std::string& name, const std::string& text) override {
    return ::RegSetValueExA(key_.Get(), name.c_str(), 0, REG_SZ,
                            reinterpret_cast<const BYTE*>(text.c_str()),
                            static_cast<DWORD>(text.size() + 1)) == ERROR_SUCCESS;
  }

  bool WriteDword(const std::string& name, uint32_t value) override {
    std::string bytes = DwordBytes(value);
    return ::RegSetValueExA(key_.Get(), name.c_str(), 0, REG_DWORD,
                            reinterpret_cast<const BYTE*>(bytes.data()),
                            static_cast<DWORD>(bytes.size())) == ERROR_SUCCESS;
  }

 private:
  ScopedRegistryKey key_;
};

class Win32Registry : public Registry {
 public:
  std::unique_ptr<RegistryKey> OpenKey(const std::string& path, uint32_t access) override {
    if (InAbsentView(access)) return nullptr;
    ScopedRegistryKey key;
    if (::RegOpenKeyExA(HKEY_LOCAL_MACHINE, RelativeRegistryPath(path).c_str(), 0, access,
                        key.Receive()) != ERROR_SUCCESS) {
      return nullptr;
    }
    return std::make_unique<Win32Key>(std::move(key));
  }

  std::unique_ptr<RegistryKey> CreateKey(const std::string& path, uint32_t access) override {
    if (InAbsentView(access)) return nullptr;
    ScopedRegistryKey key;
    if (::RegCreateKeyExA(HKEY_LOCAL_MACHINE, RelativeRegistryPath(path).c_str(), 0, nullptr,
                          REG_OPTION_NON_VOLATILE, access, nullptr, key.Receive(),
                          nullptr) != ERROR_SUCCESS) {
      return nullptr;
    }
    return std::make_unique<Win32Key>(std::move(key));
  }

  bool DeleteKeyTree(const std::string& path) override {
    if (IsRootRegistryPath(path)) return false;
    return DeleteTree(HKEY_LOCAL_MACHINE, RelativeRegistryPath(path));
  }
};

}  // namespace

std::unique_ptr<Registry> MakeRegistry() { return std::make_unique<Win32Registry>(); }

}  // namespace platform::win32
