// The program's settings file: an INI file beside the program, reached one
// operation at a time (nothing is kept between calls, so another process's
// write is seen by the next read).
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "settings/setting_keys.h"

namespace settings {

// The program path with its extension replaced by ".ini" (".ini" appended
// when the file name has no extension).
std::string SettingsFilePath();

// Integer text rule: optional blanks, optional sign, decimal digits; or hex
// digits after "$", "x", "X", "0x" or "0X". Nothing for anything else
// (empty, trailing junk, out of the signed 32-bit range).
std::optional<int32_t> ParseInteger(const std::string& text);

class SettingsFile {
 public:
  SettingsFile();
  explicit SettingsFile(std::string path);

  const std::string& Path() const { return path_; }

  // Reads answer the default for a missing file, section or key, and for a
  // value that does not fit its kind. Writes raise EIniFileException
  // "Unable to write to <path>" when the system refuses them. A text an
  // earlier version stored in the legacy code page reads in the program's
  // (platform::StoredText).
  std::string ReadText(const std::string& section, const std::string& key,
                       const std::string& defaultValue) const;
  void WriteText(const std::string& section, const std::string& key, const std::string& value);
  int32_t ReadNumber(const std::string& section, const std::string& key,
                     int32_t defaultValue) const;
  void WriteNumber(const std::string& section, const std::string& key, int32_t value);
  bool ReadFlag(const std::string& section, const std::string& key, bool defaultValue) const;
  void WriteFlag(const std::string& section, const std::string& key, bool value);
  void RemoveSection(const std::string& section);

  // The same for a program-wide setting.
  std::string ReadText(SettingKey setting, const std::string& defaultValue) const {
    return ReadText(setting.section, setting.key, defaultValue);
  }
  void WriteText(SettingKey setting, const std::string& value) {
    WriteText(setting.section, setting.key, value);
  }
  int32_t ReadNumber(SettingKey setting, int32_t defaultValue) const {
    return ReadNumber(setting.section, setting.key, defaultValue);
  }
  // The stored text; nothing when the file, section or key is absent.
  std::optional<std::string> ReadStoredText(SettingKey setting) const;

 private:
  [[noreturn]] void RaiseWriteError() const;
  std::string path_;
};

}  // namespace settings
