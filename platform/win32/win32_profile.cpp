// INI files through the system's private-profile functions. Names and values
// that cannot be stored as one line (ini_text.h) are turned away before the
// system sees them, as the POSIX backend does.
//
// The system rewrites a whole file for every write, in place: a reader in
// another process could read it half-written, and two writers could lose
// each other's lines. Every call of every process of the program (jobs and
// the window) therefore holds one global lock, waited for a few seconds at
// most: anyone may take it, so anyone could hold it for ever. Without it a
// read goes on unlocked and a write is refused; once the wait has passed,
// the process waits no more.
//
// The system reads a file through the process's code page. Where that is
// UTF-8, a value an earlier version stored in the legacy code page comes
// back with its bytes replaced (U+FFFD); such a value is read again from the
// file's own bytes, by the same rules, for the caller to convert. The system
// would also write every such line back replaced on the next write of any
// key: before a write the legacy lines are converted to UTF-8, once, into a
// file beside it that then takes its place whole. A file in UTF-16 (with
// its byte-order mark) is the system's own Unicode form: it is left to it.
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
constexpr std::chrono::seconds kLockWait{5};
constexpr char kReplacementCharacter[] = "\xEF\xBF\xBD";

// The file's legacy lines converted to UTF-8, where the program's code page
// is UTF-8: written beside the file and put in its place whole. False when
// that fails; the file is then as it was. Called under the lock.
bool ConvertLegacyLines(Files& files, const std::string& file) {
  std::string bytes;
  if (::GetACP() != CP_UTF8 || !files.ReadFile(file, bytes)) return true;
  std::optional<std::string> converted = LegacyLinesAsUtf8(bytes, [](std::string_view line) {
    return ConvertCodePage(line, LegacyCodePage(), CP_UTF8);
  });
  if (!converted) return true;
  const std::string beside = file + ".converting";
  int error = files.CreateEmptyFile(beside);
  if (error == 0) error = files.AppendToFile(beside, *converted);
  if (error == 0) error = files.ReplaceFile(beside, file);
  if (error != 0) files.DeleteFile(beside);
  return error == 0;
}

class Win32Profile : public Profile {
 public:
  std::string ReadString(const std::string& file, const std::string& section,
                         const std::string& key, const std::string& defaultValue) override {
    if (!IsIniSectionName(section) || !IsIniKeyName(key)) return defaultValue;
    char buffer[kIniMaxValueLength + 1];
    auto lock = Lock();
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
    auto lock = Lock();
    if (!lock || !ConvertLegacyLines(*files_, file)) return false;
    return ::WritePrivateProfileStringA(section.c_str(), key.c_str(), value.c_str(),
                                        file.c_str()) != FALSE;
  }

  bool RemoveSection(const std::string& file, const std::string& section) override {
    // A name that cannot be stored names no section; there is nothing to remove.
    if (!IsIniSectionName(section)) return true;
    auto lock = Lock();
    if (!lock || !ConvertLegacyLines(*files_, file)) return false;
    return ::WritePrivateProfileStringA(section.c_str(), nullptr, nullptr, file.c_str()) != FALSE;
  }

 private:
  std::unique_ptr<SystemLock> Lock() {
    auto lock = AcquireSystemLock(kLockName, gaveUp_ ? std::chrono::seconds(0) : kLockWait);
    if (!lock) gaveUp_ = true;
    return lock;
  }

  const std::unique_ptr<Files> files_ = MakeFiles();
  bool gaveUp_ = false;
};

}  // namespace

std::unique_ptr<Profile> MakeProfile() { return std::make_unique<Win32Profile>(); }

}  // namespace platform::win32
