#include "procs/document_title.h"

#include "platform/rules/ascii.h"

namespace procs {

namespace {

namespace ascii = platform::ascii;

bool IsLineEnd(char c) { return c == '\r' || c == '\n'; }

// The text of a "(...)" string that begins at `at` (after its "(").
std::string LiteralString(std::string_view text, size_t at) {
  std::string out;
  int depth = 1;
  while (at < text.size() && !IsLineEnd(text[at])) {
    char c = text[at++];
    if (c == '(') {
      ++depth;
    } else if (c == ')' && --depth == 0) {
      break;
    } else if (c == '\\' && at < text.size()) {
      c = text[at++];
      switch (c) {
        case 'n':
          c = '\n';
          break;
        case 'r':
          c = '\r';
          break;
        case 't':
          c = '\t';
          break;
        case 'b':
          c = '\b';
          break;
        case 'f':
          c = '\f';
          break;
        default:
          if (c >= '0' && c <= '7') {
            int value = c - '0';
            for (int digits = 1;
                 digits < 3 && at < text.size() && text[at] >= '0' && text[at] <= '7'; ++digits) {
              value = value * 8 + (text[at++] - '0');
            }
            c = static_cast<char>(value & 0xFF);
          }
      }
    }
    out += c;
  }
  return out;
}

// The bytes of a "<...>" hex string that begins at `at` (after its "<");
// blanks are passed over, and an odd last digit counts as followed by 0.
std::string HexString(std::string_view text, size_t at) {
  std::string out;
  int high = -1;
  for (; at < text.size() && text[at] != '>' && !IsLineEnd(text[at]); ++at) {
    const int digit = ascii::HexDigitValue(text[at]);
    if (digit < 0) continue;
    if (high < 0) {
      high = digit;
    } else {
      out += static_cast<char>(high * 16 + digit);
      high = -1;
    }
  }
  if (high >= 0) out += static_cast<char>(high * 16);
  return out;
}

}  // namespace

std::string PostScriptTitle(std::string_view header) {
  for (size_t begin = 0; begin < header.size();) {
    size_t end = begin;
    while (end < header.size() && !IsLineEnd(header[end])) ++end;
    const std::string_view line = header.substr(begin, end - begin);
    if (line.rfind("%%EndComments", 0) == 0) break;
    if (line.rfind("%%Title:", 0) == 0) {
      size_t at = 8;
      while (at < line.size() && (line[at] == ' ' || line[at] == '\t')) ++at;
      if (at < line.size() && line[at] == '(') return LiteralString(line, at + 1);
      if (at < line.size() && line[at] == '<') return HexString(line, at + 1);
      return std::string(ascii::TrimBlanks(line.substr(at)));
    }
    begin =
        end + (end + 1 < header.size() && header[end] == '\r' && header[end + 1] == '\n' ? 2 : 1);
  }
  return "";
}

std::string CleanTitle(std::string title) {
  static const char* const kPrefixes[] = {
      "Microsoft Word - ",        "Microsoft Excel - ",        "Microsoft PowerPoint - ",
      "Microsoft Visio - ",       "Microsoft Publisher - ",    "Microsoft Access - ",
      "Microsoft Project - ",     "Microsoft OneNote - ",      "Microsoft Outlook - ",
      "Microsoft Office Word - ", "Microsoft Office Excel - ", "Microsoft Office PowerPoint - ",
  };
  static const char* const kSuffixes[] = {" - Notepad", " - WordPad", " - Paint"};
  static const char* const kExtensions[] = {
      ".doc",  ".docx", ".docm", ".dot",  ".dotx", ".rtf", ".txt",  ".odt", ".ods",  ".odp",
      ".odg",  ".xls",  ".xlsx", ".xlsm", ".csv",  ".ppt", ".pptx", ".pps", ".ppsx", ".vsd",
      ".vsdx", ".pub",  ".pdf",  ".xps",  ".oxps", ".htm", ".html", ".mht", ".xml",  ".md",
      ".jpg",  ".jpeg", ".png",  ".gif",  ".bmp",  ".tif", ".tiff",
  };
  auto endsWith = [&](std::string_view end) {
    return title.size() >= end.size() &&
           ascii::EqualsIgnoringCase(std::string_view(title).substr(title.size() - end.size()),
                                     end);
  };
  title = std::string(ascii::TrimBlanks(title));
  for (const char* prefix : kPrefixes) {
    if (ascii::StartsWithIgnoringCase(title, prefix)) {
      title.erase(0, std::string_view(prefix).size());
      break;
    }
  }
  for (const char* suffix : kSuffixes) {
    if (endsWith(suffix)) {
      title.resize(title.size() - std::string_view(suffix).size());
      break;
    }
  }
  for (const char* extension : kExtensions) {
    if (endsWith(extension) && title.size() > std::string_view(extension).size()) {
      title.resize(title.size() - std::string_view(extension).size());
      break;
    }
  }
  return std::string(ascii::TrimBlanks(title));
}

}  // namespace procs
