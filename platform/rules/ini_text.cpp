#include "platform/rules/ini_text.h"

#include <vector>

#include "platform/rules/ascii.h"
#include "platform/rules/code_page_text.h"

namespace platform {

namespace {

constexpr std::string_view kLineEnd = "\r\n";

bool SameName(std::string_view a, std::string_view b) { return ascii::EqualsIgnoringCase(a, b); }

bool HasLineBreakOrNul(std::string_view text) {
  return text.find_first_of(std::string_view("\r\n\0", 3)) != std::string_view::npos;
}

struct Line {
  enum class Kind { kHeader, kEntry, kOther };
  Kind kind = Kind::kOther;
  size_t begin = 0;        // first byte of the line
  size_t next = 0;         // first byte after the line ending
  bool ended = false;      // has a line ending
  std::string_view name;   // header: section name; entry: key
  std::string_view value;  // entry: trimmed value
};

Line ClassifyLine(std::string_view text, size_t begin) {
  Line line;
  line.begin = begin;
  size_t end = text.find_first_of("\r\n", begin);
  line.ended = end != std::string_view::npos;
  if (!line.ended) end = text.size();
  line.next = end;
  if (line.ended) line.next += text.compare(end, 2, kLineEnd) == 0 ? 2 : 1;
  std::string_view content = text.substr(begin, end - begin);
  // The system's functions see C strings: a NUL ends what the line says.
  content = content.substr(0, content.find('\0'));
  content = ascii::TrimBlanks(content);
  if (content.empty() || content.front() == ';') return line;
  if (content.front() == '[') {
    size_t close = content.find(']');
    if (close != std::string_view::npos) {
      line.kind = Line::Kind::kHeader;
      line.name = ascii::TrimBlanks(content.substr(1, close - 1));
    }
    return line;
  }
  size_t equals = content.find('=');
  if (equals == std::string_view::npos) return line;
  line.kind = Line::Kind::kEntry;
  line.name = ascii::TrimBlanks(content.substr(0, equals));
  line.value = ascii::TrimBlanks(content.substr(equals + 1));
  return line;
}

std::vector<Line> SplitLines(std::string_view text) {
  std::vector<Line> lines;
  for (size_t begin = 0; begin < text.size();) {
    lines.push_back(ClassifyLine(text, begin));
    begin = lines.back().next;
  }
  return lines;
}

// Where the first occurrence of a section stands.
struct SectionPlace {
  std::optional<size_t> header;
  std::optional<size_t> key;        // first line of the key asked for
  std::optional<size_t> lastEntry;  // last entry line of the section
};

SectionPlace FindSection(const std::vector<Line>& lines, std::string_view section,
                         std::string_view key) {
  SectionPlace place;
  for (size_t i = 0; i < lines.size(); ++i) {
    const Line& line = lines[i];
    if (line.kind == Line::Kind::kHeader) {
      if (place.header) break;
      if (SameName(line.name, section)) place.header = i;
    } else if (place.header && line.kind == Line::Kind::kEntry) {
      place.lastEntry = i;
      if (!place.key && SameName(line.name, key)) place.key = i;
    }
  }
  return place;
}

std::string_view Unquote(std::string_view value) {
  if (value.size() >= 2 && value.front() == value.back() &&
      (value.front() == '"' || value.front() == '\'')) {
    return value.substr(1, value.size() - 2);
  }
  return value;
}

}  // namespace

bool IsIniSectionName(std::string_view name) {
  return !name.empty() && ascii::TrimBlanks(name).size() == name.size() &&
         !HasLineBreakOrNul(name) && name.find(']') == std::string_view::npos;
}

bool IsIniKeyName(std::string_view name) {
  return !name.empty() && ascii::TrimBlanks(name).size() == name.size() &&
         !HasLineBreakOrNul(name) && name.find('=') == std::string_view::npos &&
         name.front() != ';' && name.front() != '[';
}

bool IsIniValue(std::string_view value) { return !HasLineBreakOrNul(value); }

std::optional<std::string> ReadIniValue(std::string_view text, std::string_view section,
                                        std::string_view key) {
  if (!IsIniSectionName(section) || !IsIniKeyName(key)) return std::nullopt;
  std::vector<Line> lines = SplitLines(text);
  SectionPlace place = FindSection(lines, section, key);
  if (!place.key) return std::nullopt;
  std::string_view value = Unquote(lines[*place.key].value);
  return std::string(value.substr(0, kIniMaxValueLength));
}

std::optional<std::string> WriteIniValue(std::string_view text, std::string_view section,
                                         std::string_view key, std::string_view value) {
  if (!IsIniSectionName(section) || !IsIniKeyName(key) || !IsIniValue(value)) return std::nullopt;
  std::vector<Line> lines = SplitLines(text);
  SectionPlace place = FindSection(lines, section, key);
  std::string result;
  result.reserve(text.size() + section.size() + key.size() + value.size() + 8);
  if (place.key) {
    const Line& line = lines[*place.key];
    result.append(text.substr(0, line.begin));
    result.append(line.name).append("=").append(value).append(kLineEnd);
    result.append(text.substr(line.next));
    return result;
  }
  if (place.header) {
    const Line& after = lines[place.lastEntry.value_or(*place.header)];
    result.append(text.substr(0, after.next));
    if (!after.ended) result.append(kLineEnd);
    result.append(key).append("=").append(value).append(kLineEnd);
    result.append(text.substr(after.next));
    return result;
  }
  result.append(text);
  if (!result.empty() && result.back() != '\n' && result.back() != '\r') result.append(kLineEnd);
  result.append("[").append(section).append("]").append(kLineEnd);
  result.append(key).append("=").append(value).append(kLineEnd);
  return result;
}

std::string RemoveIniSection(std::string_view text, std::string_view section) {
  if (!IsIniSectionName(section)) return std::string(text);
  std::string result;
  result.reserve(text.size());
  bool inSection = false;
  for (const Line& line : SplitLines(text)) {
    if (line.kind == Line::Kind::kHeader) inSection = SameName(line.name, section);
    if (!inSection) result.append(text.substr(line.begin, line.next - line.begin));
  }
  return result;
}

std::optional<std::string> LegacyLinesAsUtf8(
    std::string_view text, const std::function<std::string(std::string_view)>& convert) {
  const bool utf16 = text.rfind("\xFF\xFE", 0) == 0 || text.rfind("\xFE\xFF", 0) == 0;
  if (utf16 || text.find('\0') != std::string_view::npos || IsUtf8(text)) return std::nullopt;
  std::string converted;
  for (const Line& line : SplitLines(text)) {
    std::string_view bytes = text.substr(line.begin, line.next - line.begin);
    converted += IsUtf8(bytes) ? std::string(bytes) : convert(bytes);
  }
  return converted;
}

}  // namespace platform
