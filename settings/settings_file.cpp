#include "settings/settings_file.h"

#include "platform/error.h"
#include "platform/rules/ascii.h"
#include "platform/rules/path.h"
#include "platform/services.h"

namespace settings {

std::string SettingsFilePath() {
  return platform::path::ChangeExtension(platform::Current().processInfo->ProgramPath(), ".ini");
}

std::optional<int32_t> ParseInteger(const std::string& text) {
  size_t i = 0;
  while (i < text.size() && text[i] == ' ') ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  bool hex = false;
  if (i < text.size() && (text[i] == '$' || text[i] == 'x' || text[i] == 'X')) {
    hex = true;
    ++i;
  } else if (i + 1 < text.size() && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X')) {
    hex = true;
    i += 2;
  }
  if (i == text.size()) return std::nullopt;
  uint64_t value = 0;
  for (; i < text.size(); ++i) {
    int digit = hex ? platform::ascii::HexDigitValue(text[i])
                    : (text[i] >= '0' && text[i] <= '9' ? text[i] - '0' : -1);
    if (digit < 0) return std::nullopt;
    value = value * (hex ? 16 : 10) + digit;
    if (value > 0xFFFFFFFFull) return std::nullopt;
  }
  if (hex) {  // hex texts name the 32 bits themselves: $FFFFFFFF is -1
    auto bits = static_cast<int32_t>(static_cast<uint32_t>(value));
    return negative ? static_cast<int32_t>(0u - static_cast<uint32_t>(bits)) : bits;
  }
  if (negative ? value > 0x80000000ull : value > 0x7FFFFFFFull) return std::nullopt;
  return negative ? static_cast<int32_t>(-static_cast<int64_t>(value))
                  : static_cast<int32_t>(value);
}

SettingsFile::SettingsFile() : path_(SettingsFilePath()) {}
SettingsFile::SettingsFile(std::string path) : path_(std::move(path)) {}

void SettingsFile::RaiseWriteError() const {
  throw platform::EIniFileException(platform::FormatMessage("Unable to write to %s", path_));
}

std::string SettingsFile::ReadText(const std::string& section, const std::string& key,
                                   const std::string& defaultValue) const {
  return platform::StoredText(
      platform::Current().profile->ReadString(path_, section, key, defaultValue));
}

void SettingsFile::WriteText(const std::string& section, const std::string& key,
                             const std::string& value) {
  if (!platform::Current().profile->WriteString(path_, section, key, value)) RaiseWriteError();
}

int32_t SettingsFile::ReadNumber(const std::string& section, const std::string& key,
                                 int32_t defaultValue) const {
  return ParseInteger(ReadText(section, key, "")).value_or(defaultValue);
}

void SettingsFile::WriteNumber(const std::string& section, const std::string& key, int32_t value) {
  WriteText(section, key, std::to_string(value));
}

bool SettingsFile::ReadFlag(const std::string& section, const std::string& key,
                            bool defaultValue) const {
  return ReadNumber(section, key, defaultValue ? 1 : 0) != 0;
}

void SettingsFile::WriteFlag(const std::string& section, const std::string& key, bool value) {
  WriteText(section, key, value ? "1" : "0");
}

std::optional<std::string> SettingsFile::ReadStoredText(SettingKey setting) const {
  // No value read can hold a line break: this tells an absent key.
  const std::string absent = "\r\n";
  std::string stored = ReadText(setting, absent);
  if (stored == absent) return std::nullopt;
  return stored;
}

void SettingsFile::RemoveSection(const std::string& section) {
  if (!platform::Current().profile->RemoveSection(path_, section)) RaiseWriteError();
}

}  // namespace settings
