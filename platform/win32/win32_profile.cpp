// INI files through the system's private-profile functions. Names and values
// that cannot be stored as one line (ini_text.h) are turned away before the
// system sees them, as the POSIX backend does.
//
// The system rewrites a whole file for every write, in place: a reader in
// another process could read it half-written, and two writers could lose
// each other's lines. Every call of every process of the program (jobs and
// the window) therefore holds one global lock.
#include <string>

#include "platform/rules/ini_text.h"
#include "platform/win32/system_lock.h"
#include "platform/win32/win32_backends.h"
#include "platform/win32/windows_api.h"

namespace platform::win32 {

namespace {

// Passed as the system's default so that an absent key can be told from a
// present one: no value read from a file can hold a line break. It ends in
// no blank, which the system would strip.
constexpr char kAbsent[] = "\r\n<absent>";
constexpr char kLockName[] = "PdfPrinterSettings";

class Win32Profile : public Profile {
 public:
  std::string ReadString(const std::string& file, const std::string& section,
                         const std::string& key, const std::string& defaultValue) override {
    if (!IsIniSectionName(section) || !IsIniKeyName(key)) return defaultValue;
    char buffer[kIniMaxValueLength + 1];
    auto lock = AcquireSystemLock(kLockName);
    DWORD length = ::GetPrivateProfileStringA(section.c_str(), key.c_str(), kAbsent, buffer,
                                              sizeof buffer, file.c_str());
    std::string value(buffer, length);
    return value == kAbsent ? defaultValue : value;
  }

  bool WriteString(const std::string& file, const std::string& section, const std::string& key,
                   const std::string& value) override {
    if (!IsIniSectionName(section) || !IsIniKeyName(key) || !IsIniValue(value)) return false;
    auto lock = AcquireSystemLock(kLockName);
    return ::WritePrivateProfileStringA(section.c_str(), key.c_str(), value.c_str(),
                                        file.c_str()) != FALSE;
  }

  bool RemoveSection(const std::string& file, const std::string& section) override {
    // A name that cannot be stored names no section; there is nothing to remove.
    if (!IsIniSectionName(section)) return true;
    auto lock = AcquireSystemLock(kLockName);
    return ::WritePrivateProfileStringA(section.c_str(), nullptr, nullptr, file.c_str()) != FALSE;
  }
};

}  // namespace

std::unique_ptr<Profile> MakeProfile() { return std::make_unique<Win32Profile>(); }

}  // namespace platform::win32
