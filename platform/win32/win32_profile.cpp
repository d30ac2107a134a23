// INI files through the system's private-profile functions. Names and values
// that cannot be stored as one line (ini_text.h) are turned away before the
// system sees them, as the POSIX backend does.
#include <string>

#include "platform/rules/ini_text.h"
#include "platform/win32/win32_backends.h"
#include "platform/win32/windows_api.h"

namespace platform::win32 {

namespace {

// Passed as the system's default so that an absent key can be told from a
// present one: no value read from a file can hold a line break. It ends in
// no blank, which the system would strip.
constexpr char kAbsent[] = "\r\n<absent>";

class Win32Profile : public Profile {
 public:
  std::string ReadString(const std::string& file, const std::string& section,
                         const std::string& key, const std::string& defaultValue) override {
    if (!IsIniSectionName(section) || !IsIniKeyName(key)) return defaultValue;
    char buffer[kIniMaxValueLength + 1];
    DWORD length = ::GetPrivateProfileStringA(section.c_str(), key.c_str(), kAbsent, buffer,
                                              sizeof buffer, file.c_str());
    std::string value(buffer, length);
    return value == kAbsent ? defaultValue : value;
  }

  bool WriteString(const std::string& file, const std::string& section, const std::string& key,
                   const std::string& value) override {
    if (!IsIniSectionName(section) || !IsIniKeyName(key) || !IsIniValue(value)) return false;
    return ::WritePrivateProfileStringA(section.c_str(), key.c_str(), value.c_str(),
                                        file.c_str()) != FALSE;
  }

  bool RemoveSection(const std::string& file, const std::string& section) override {
    // A name that cannot be stored names no section; there is nothing to remove.
    if (!IsIniSectionName(section)) return true;
    return ::WritePrivateProfileStringA(section.c_str(), nullptr, nullptr, file.c_str()) != FALSE;
  }
};

}  // namespace

std::unique_ptr<Profile> MakeProfile() { return std::make_unique<Win32Profile>(); }

}  // namespace platform::win32
