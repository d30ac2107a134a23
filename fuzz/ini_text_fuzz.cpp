// The INI engine: a write reads back by the reading rules, and every other
// key keeps its value; a removed section's keys read as absent. A legacy
// file's conversion gives UTF-8 that keeps every line's ending and every
// line that was UTF-8 already.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "fuzz/check.h"
#include "platform/rules/code_page_text.h"
#include "platform/rules/ini_text.h"

namespace {

bool SameName(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c; };
    if (lower(a[i]) != lower(b[i])) return false;
  }
  return true;
}

// What a read gives for a stored value: no blanks around it, one pair of
// enclosing quotes dropped, cut to the longest read.
std::string AsRead(std::string value) {
  while (!value.empty() && (value.front() == ' ' || value.front() == '\t')) value.erase(0, 1);
  while (!value.empty() && (value.back() == ' ' || value.back() == '\t')) value.pop_back();
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
      value.back() == value.front()) {
    value = value.substr(1, value.size() - 2);
  }
  return value.substr(0, platform::kIniMaxValueLength);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider in(data, size);
  const std::string section = in.ConsumeRandomLengthString(24);
  const std::string key = in.ConsumeRandomLengthString(24);
  const std::string value = in.ConsumeRandomLengthString(2100);
  const std::string otherSection = in.ConsumeBool() ? section : in.ConsumeRandomLengthString(24);
  const std::string otherKey = in.ConsumeRandomLengthString(24);
  const std::string text = in.ConsumeRemainingBytesAsString();

  if (const auto converted = platform::LegacyLinesAsUtf8(text, platform::Windows1252ToUtf8)) {
    FUZZ_CHECK(platform::IsUtf8(*converted));
    FUZZ_CHECK(!platform::IsUtf8(text));
    size_t breaks = 0, convertedBreaks = 0;
    for (char c : text) breaks += c == '\r' || c == '\n';
    for (char c : *converted) convertedBreaks += c == '\r' || c == '\n';
    FUZZ_CHECK(breaks == convertedBreaks);
  }

  const auto before = platform::ReadIniValue(text, otherSection, otherKey);
  if (before) FUZZ_CHECK(before->size() <= platform::kIniMaxValueLength);

  const auto written = platform::WriteIniValue(text, section, key, value);
  const bool storable = platform::IsIniSectionName(section) && platform::IsIniKeyName(key) &&
                        platform::IsIniValue(value);
  FUZZ_CHECK(written.has_value() == storable);
  if (!written) return 0;
  FUZZ_CHECK(platform::ReadIniValue(*written, section, key) == AsRead(value));
  const bool sameSection = SameName(section, otherSection);
  if (!sameSection || !SameName(key, otherKey)) {
    FUZZ_CHECK(platform::ReadIniValue(*written, otherSection, otherKey) == before);
  }

  const std::string removed = platform::RemoveIniSection(*written, section);
  FUZZ_CHECK(!platform::ReadIniValue(removed, section, key));
  if (!sameSection) FUZZ_CHECK(platform::ReadIniValue(removed, otherSection, otherKey) == before);
  return 0;
}
