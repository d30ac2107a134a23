#include "platform/rules/reg_file.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>

#include "platform/rules/ascii.h"

namespace platform {

namespace {

constexpr std::string_view kHeader = "Windows Registry Editor Version 5.00";
constexpr std::string_view kRoots[] = {
    "HKEY_LOCAL_MACHINE",  "HKEY_CURRENT_USER",     "HKEY_CLASSES_ROOT", "HKEY_USERS",
    "HKEY_CURRENT_CONFIG", "HKEY_PERFORMANCE_DATA", "HKEY_DYN_DATA"};

bool IsTextType(uint32_t type) {
  return type == kRegSz || type == kRegExpandSz || type == kRegMultiSz;
}

// Reads 1 to 8 hex digits, the whole text.
bool ParseHexNumber(std::string_view text, uint32_t& number) {
  if (text.empty() || text.size() > 8) return false;
  number = 0;
  for (char c : text) {
    int digit = ascii::HexDigitValue(c);
    if (digit < 0) return false;
    number = number << 4 | static_cast<uint32_t>(digit);
  }
  return true;
}

// "xx,xx,..." (blanks allowed around each byte, a trailing comma tolerated).
bool ParseHexBytes(std::string_view text, std::string& bytes) {
  bytes.clear();
  text = ascii::TrimBlanks(text);
  if (text.empty()) return true;
  size_t start = 0;
  while (start <= text.size()) {
    size_t end = text.find(',', start);
    if (end == std::string_view::npos) end = text.size();
    std::string_view item = ascii::TrimBlanks(text.substr(start, end - start));
    if (item.empty() && end == text.size() && start > 0) break;  // trailing comma
    uint32_t byte = 0;
    if (item.size() > 2 || !ParseHexNumber(item, byte)) return false;
    bytes.push_back(static_cast<char>(byte));
    start = end + 1;
  }
  return true;
}

std::string Utf16ToLatin1(std::string_view utf16) {
  std::string text;
  for (size_t i = 0; i + 1 < utf16.size(); i += 2) {
    unsigned unit = static_cast<unsigned char>(utf16[i]) | static_cast<unsigned char>(utf16[i + 1])
                                                               << 8;
    text.push_back(unit > 0xFF ? '?' : static_cast<char>(unit));
  }
  return text;
}

std::string Latin1ToUtf16(std::string_view text) {
  std::string utf16;
  for (char c : text) {
    utf16.push_back(c);
    utf16.push_back('\0');
  }
  return utf16;
}

// A UTF-16LE file (regedit's own export) becomes single-byte text.
std::string DecodeFileText(std::string_view text) {
  if (text.size() >= 2 && static_cast<unsigned char>(text[0]) == 0xFF &&
      static_cast<unsigned char>(text[1]) == 0xFE) {
    return Utf16ToLatin1(text.substr(2));
  }
  if (text.size() >= 3 && text.substr(0, 3) == "\xEF\xBB\xBF") return std::string(text.substr(3));
  return std::string(text);
}

std::vector<std::string_view> SplitRegLines(std::string_view text) {
  std::vector<std::string_view> lines;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    lines.push_back(line);
    start = end + 1;
  }
  return lines;
}

// Reads a quoted text starting at text[pos] == '"'. Only \\ and \" are
// escapes; any other backslash stays as it is. Leaves pos after the quote.
bool ParseQuoted(std::string_view text, size_t& pos, std::string& out) {
  out.clear();
  for (size_t i = pos + 1; i < text.size(); ++i) {
    char c = text[i];
    if (c == '"') {
      pos = i + 1;
      return true;
    }
    if (c == '\\' && i + 1 < text.size() && (text[i + 1] == '\\' || text[i + 1] == '"')) {
      out.push_back(text[++i]);
    } else {
      out.push_back(c);
    }
  }
  return false;
}

std::string Quote(std::string_view text) {
  std::string out = "\"";
  for (char c : text) {
    if (c == '\\' || c == '"') out.push_back('\\');
    out.push_back(c);
  }
  out.push_back('"');
  return out;
}

bool IsKnownRoot(std::string_view name) {
  return std::any_of(std::begin(kRoots), std::end(kRoots),
                     [&](std::string_view root) { return SameRegistryName(root, name); });
}

struct ParsedData {
  bool remove = false;
  RegistryValue value;
};

// The part after "=": -, "text", dword:x, hex:.., hex(N):.. .
bool ParseData(std::string_view data, ParsedData& parsed, std::string& why) {
  data = ascii::TrimBlanks(data);
  if (data == "-") {
    parsed.remove = true;
    return true;
  }
  if (!data.empty() && data[0] == '"') {
    size_t pos = 0;
    std::string text;
    if (!ParseQuoted(data, pos, text)) {
      why = "text value without its closing quote";
      return false;
    }
    if (!ascii::TrimBlanks(data.substr(pos)).empty()) {
      why = "unexpected characters after the text value";
      return false;
    }
    parsed.value = {kRegSz, text + '\0'};
    return true;
  }
  if (ascii::StartsWithIgnoringCase(data, "dword:")) {
    uint32_t number = 0;
    if (!ParseHexNumber(ascii::TrimBlanks(data.substr(6)), number)) {
      why = "dword value needs 1 to 8 hex digits";
      return false;
    }
    parsed.value = {kRegDword, DwordBytes(number)};
    return true;
  }
  if (ascii::StartsWithIgnoringCase(data, "hex")) {
    uint32_t type = kRegBinary;
    size_t colon = data.find(':');
    if (colon == std::string_view::npos) {
      why = "hex value without ':'";
      return false;
    }
    std::string_view kind = ascii::TrimBlanks(data.substr(3, colon - 3));
    if (!kind.empty()) {
      if (kind.size() < 3 || kind.front() != '(' || kind.back() != ')' ||
          !ParseHexNumber(kind.substr(1, kind.size() - 2), type)) {
        why = "bad value type in hex(...)";
        return false;
      }
    }
    std::string bytes;
    if (!ParseHexBytes(data.substr(colon + 1), bytes)) {
      why = "bad hex bytes";
      return false;
    }
    if (IsTextType(type)) {
      if (bytes.size() % 2 != 0) {
        why = "text in hex form needs an even number of bytes (UTF-16LE)";
        return false;
      }
      bytes = Utf16ToLatin1(bytes);
    }
    parsed.value = {type, bytes};
    return true;
  }
  why = "unknown value data";
  return false;
}

std::string HexLine(const std::string& prefix, std::string_view bytes) {
  static const char kDigits[] = "0123456789abcdef";
  std::string out;
  std::string line = prefix;
  for (size_t i = 0; i < bytes.size(); ++i) {
    auto byte = static_cast<unsigned char>(bytes[i]);
    std::string piece{kDigits[byte >> 4], kDigits[byte & 0xF]};
    if (i + 1 < bytes.size()) piece.push_back(',');
    // regedit keeps lines within 80 columns, the continuation "\" included.
    if (line.size() + piece.size() > 79) {
      out += line + "\\\r\n";
      line = "  ";
    }
    line += piece;
  }
  return out + line;
}

std::string ValueLine(const std::string& name, const RegistryValue& value) {
  std::string prefix = (name.empty() ? std::string("@") : Quote(name)) + "=";
  const std::string& data = value.data;
  if (value.type == kRegSz && !data.empty() && data.find('\0') == data.size() - 1 &&
      data.find_first_of("\r\n") == std::string::npos) {
    return prefix + Quote(std::string_view(data).substr(0, data.size() - 1));
  }
  if (value.type == kRegDword && data.size() == 4) {
    uint32_t number = 0;
    for (int i = 3; i >= 0; --i) number = number << 8 | static_cast<unsigned char>(data[i]);
    char digits[9];
    std::snprintf(digits, sizeof digits, "%08x", number);
    return prefix + "dword:" + digits;
  }
  std::string bytes = IsTextType(value.type) ? Latin1ToUtf16(data) : data;
  if (value.type == kRegBinary) return HexLine(prefix + "hex:", bytes);
  char kind[16];
  std::snprintf(kind, sizeof kind, "hex(%x):", static_cast<unsigned>(value.type));
  return HexLine(prefix + kind, bytes);
}

void ExportKey(const RegistryTree::Key& key, const std::string& path, std::string& out) {
  out += "[" + path + "]\r\n";
  for (const auto& [name, value] : key.values) out += ValueLine(name, value) + "\r\n";
  out += "\r\n";
  for (const auto& subkey : key.subkeys) ExportKey(*subkey, path + "\\" + subkey->name, out);
}

}  // namespace

RegFileResult ImportRegFile(std::string_view rawText, RegistryTree& tree) {
  RegFileResult result;
  std::string text = DecodeFileText(rawText);
  std::vector<std::string_view> lines = SplitRegLines(text);
  size_t first = 0;
  while (first < lines.size() && ascii::TrimBlanks(lines[first]).empty()) ++first;
  if (first == lines.size()) {
    result.recognized = true;
    return result;
  }
  if (ascii::TrimBlanks(lines[first]) != kHeader) {
    result.problems.push_back("line " + std::to_string(first + 1) +
                              ": not a registry export, the first line must be \"" +
                              std::string(kHeader) + "\"");
    return result;
  }
  result.recognized = true;

  auto problem = [&](size_t index, const std::string& why) {
    result.problems.push_back("line " + std::to_string(index + 1) + ": " + why);
  };
  RegistryTree::Key* current = nullptr;
  bool skippingSection = false;  // the header above was refused: its values are not reported
  for (size_t i = first + 1; i < lines.size(); ++i) {
    std::string_view line = ascii::TrimBlanks(lines[i]);
    if (line.empty() || line[0] == ';') continue;

    if (line[0] == '[') {
      current = nullptr;
      skippingSection = true;
      if (line.back() != ']') {
        problem(i, "key header without its closing ']'");
        continue;
      }
      std::string_view path = line.substr(1, line.size() - 2);
      bool remove = !path.empty() && path[0] == '-';
      if (remove) path.remove_prefix(1);
      std::vector<std::string_view> parts = SplitRegistryPath(path);
      if (parts.empty() || !IsKnownRoot(parts[0])) {
        problem(i, "key path must start with a root key such as HKEY_LOCAL_MACHINE");
        continue;
      }
      skippingSection = false;
      if (remove) {
        tree.Remove(path);
      } else {
        current = &tree.Create(path);
      }
      continue;
    }

    std::string name;
    size_t pos = 0;
    if (line[0] == '@') {
      pos = 1;
    } else if (line[0] != '"' || !ParseQuoted(line, pos, name)) {
      problem(i, "not a key header, a value or a comment");
      continue;
    }
    size_t equals = line.find_first_not_of(" \t", pos);
    if (equals == std::string_view::npos || line[equals] != '=') {
      problem(i, "value name without '='");
      continue;
    }
    std::string data(ascii::TrimBlanks(line.substr(equals + 1)));
    size_t firstLine = i;
    if (ascii::StartsWithIgnoringCase(data, "hex")) {
      while (!data.empty() && data.back() == '\\' && i + 1 < lines.size()) {
        data.pop_back();
        data += ascii::TrimBlanks(lines[++i]);
      }
    }
    if (!current) {
      if (!skippingSection) problem(firstLine, "value outside a key");
      continue;
    }
    ParsedData parsed;
    std::string why;
    if (!ParseData(data, parsed, why)) {
      problem(firstLine, why);
      continue;
    }
    if (parsed.remove) {
      current->RemoveValue(name);
    } else {
      current->SetValue(name, std::move(parsed.value));
    }
  }
  return result;
}

std::string ExportRegFile(const RegistryTree& tree) {
  std::string out = std::string(kHeader) + "\r\n\r\n";
  for (const auto& root : tree.Top().subkeys) ExportKey(*root, root->name, out);
  return out;
}

std::string Utf16RegFile(std::string_view text) { return "\xff\xfe" + Latin1ToUtf16(text); }

}  // namespace platform
