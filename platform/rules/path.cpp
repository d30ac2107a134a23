#include "platform/rules/path.h"

#include <algorithm>

#include "platform/rules/ascii.h"

namespace platform::path {

namespace {

bool IsShiftJisLead(unsigned char c) {
  return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}

bool IsDelimiterAt(const std::string& text, size_t i, Style style, LeadBytes lead,
                   bool colonCounts) {
  char c = text[i];
  bool candidate = c == Delimiter(style) || (colonCounts && IsWindows(style) && c == ':');
  if (!candidate || !IsWindows(style)) return candidate;
  // Walk from the start: the byte is a trail byte if a lead byte owns it.
  for (size_t k = 0; k < i; ++k) {
    if (lead(static_cast<unsigned char>(text[k]))) {
      if (k + 1 == i) return false;
      ++k;
    }
  }
  return true;
}

}  // namespace

LeadBytes ShiftJisLeadBytes() { return LeadBytes{&IsShiftJisLead}; }

bool IsWindows(Style style) {
#ifdef _WIN32
  if (style == Style::Native) style = Style::Windows;
#else
  if (style == Style::Native) style = Style::Posix;
#endif
  return style == Style::Windows;
}

char Delimiter(Style style) { return IsWindows(style) ? '\\' : '/'; }

bool SameFileName(std::string_view a, std::string_view b, Style style) {
  return IsWindows(style) ? ascii::EqualsIgnoringCase(a, b) : a == b;
}

bool EndsWithDelimiter(const std::string& text, Style style, LeadBytes lead) {
  return !text.empty() && IsDelimiterAt(text, text.size() - 1, style, lead, false);
}

std::string AddTrailingDelimiter(const std::string& text, Style style, LeadBytes lead) {
  if (EndsWithDelimiter(text, style, lead)) return text;
  std::string added = text + Delimiter(style);
  // A lead byte with nothing after it takes the delimiter as its trail byte.
  return EndsWithDelimiter(added, style, lead) ? added : added + Delimiter(style);
}

std::string RemoveTrailingDelimiter(const std::string& text, Style style, LeadBytes lead) {
  return EndsWithDelimiter(text, style, lead) ? text.substr(0, text.size() - 1) : text;
}

size_t FolderPartLength(const std::string& text, Style style, LeadBytes lead) {
  size_t found = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    if (IsWindows(style) && lead(static_cast<unsigned char>(text[i]))) {
      ++i;  // skip the trail byte
      continue;
    }
    if (text[i] == Delimiter(style) || (IsWindows(style) && text[i] == ':')) found = i + 1;
  }
  return found;
}

std::string FolderPart(const std::string& text, Style style, LeadBytes lead) {
  return text.substr(0, FolderPartLength(text, style, lead));
}

std::string FileNamePart(const std::string& text, Style style, LeadBytes lead) {
  return text.substr(FolderPartLength(text, style, lead));
}

std::string ChangeExtension(const std::string& text, const std::string& ext, Style style,
                            LeadBytes lead) {
  size_t nameStart = FolderPartLength(text, style, lead);
  size_t dot = text.rfind('.');
  if (dot == std::string::npos || dot < nameStart) return text + ext;
  return text.substr(0, dot) + ext;
}

std::string ParentFolder(const std::string& folder, Style style) {
  return AddTrailingDelimiter(FolderPart(RemoveTrailingDelimiter(folder, style), style), style);
}

bool IsDeviceName(std::string_view fileName) {
  std::string_view base = fileName.substr(0, fileName.find('.'));
  while (!base.empty() && base.back() == ' ') base.remove_suffix(1);
  for (const char* device : {"CON", "PRN", "AUX", "NUL", "CONIN$", "CONOUT$"}) {
    if (ascii::EqualsIgnoringCase(base, device)) return true;
  }
  return base.size() == 4 && base[3] >= '1' && base[3] <= '9' &&
         (ascii::EqualsIgnoringCase(base.substr(0, 3), "COM") ||
          ascii::EqualsIgnoringCase(base.substr(0, 3), "LPT"));
}

}  // namespace platform::path
