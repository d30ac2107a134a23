// INI files through the system's private-profile functions. Names and values
// that cannot be stored as one line (ini_text.h) are turned away before the
// system sees them, as the POSIX backend does.
//
// The system rewrites a whole file for every write, in place: a reader in
// another process could read it half-written, and two writers could lose
// each other's lines. Every call of every process of the program (jobs and
// the window) therefore holds one global lock.
//
// The system reads a file through the process's code page. Where that is
// UTF-8, a value an earlier version stored in the legacy code page comes
// back with its bytes replaced (U+FFFD); such a value is read again from the
// file's own bytes, by the same rules, for the caller to convert. The system
// would also write every such line back replaced on the next write of any
// key: before a write the legacy lines are converted to UTF-8, once.
#include <algorithm>
#include <string>
#include <string_view>

#include "platform/rules/code_page_text.h"
#include "platform/rules/ini_text.h"
#include "platform/win32/code_page_conversion.h"
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
constexpr char kReplacementCharacter[] = "\xEF\xBF\xBD";

// The file's lines that are not UTF-8 converted from the legacy code page,
// where the program's code page is UTF-8. Called under the lock.
void ConvertLegacyLines(Files& files, const std::string& file) {
  std::string bytes;
  if (::GetACP() != CP_UTF8 || !files.ReadFile(file, bytes) || IsUtf8(bytes)) return;
  std::string converted;
  for (size_t start = 0; start < bytes.size();) {
    size_t end = std::min(bytes.find('\n', start), bytes.size() - 1) + 1;
    std::string_view line(bytes.data() + start, end - start);
    converted +=
        IsUtf8(line) ? std::string(line) : ConvertCodePage(line, LegacyCodePage(), CP_UTF8);
    start = end;
  }
  // In place, as the system writes the file.
  if (files.CreateEmptyFile(file) == 0) files.AppendToFile(file, converted);
}

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
    if (value == kAbsent) return defaultValue;
    if (::GetACP() == CP_UTF8 && value.find(kReplacementCharacter) != std::string::npos) {
      std::string bytes;
      if (!files_->ReadFile(file, bytes)) bytes.clear();
      if (auto stored = ReadIniValue(bytes, section, key)) return *stored;
    }
    return value;
  }

  bool WriteString(const std::string& file, const std::string& section, const std::string& key,
                   const std::string& value) override {
    if (!IsIniSectionName(section) || !IsIniKeyName(key) || !IsIniValue(value)) return false;
    auto lock = AcquireSystemLock(kLockName);
    ConvertLegacyLines(*files_, file);
    return ::WritePrivateProfileStringA(section.c_str(), key.c_str(), value.c_str(),
                                        file.c_str()) != FALSE;
  }

  bool RemoveSection(const std::string& file, const std::string& section) override {
    // A name that cannot be stored names no section; there is nothing to remove.
    if (!IsIniSectionName(section)) return true;
    auto lock = AcquireSystemLock(kLockName);
    ConvertLegacyLines(*files_, file);
    return ::WritePrivateProfileStringA(section.c_str(), nullptr, nullptr, file.c_str()) != FALSE;
  }

 private:
  const std::unique_ptr<Files> files_ = MakeFiles();
};

}  // namespace

std::unique_ptr<Profile> MakeProfile() { return std::make_unique<Win32Profile>(); }

}  // namespace platform::win32
