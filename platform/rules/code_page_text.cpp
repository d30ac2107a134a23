#include "platform/rules/code_page_text.h"

#include <cstdint>
#include <optional>

namespace platform {

namespace {

// The characters of 0x80..0x9F; the others are those of the same numbers.
constexpr char16_t kHighControls[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

void AppendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (c >> 18));
    out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

// The character at `at` and its length, or nothing when the bytes there are
// no well-formed UTF-8.
std::optional<std::pair<char32_t, size_t>> DecodeUtf8(std::string_view bytes, size_t at) {
  const auto byte = [&](size_t i) { return static_cast<uint8_t>(bytes[i]); };
  uint8_t lead = byte(at);
  if (lead < 0x80) return std::pair<char32_t, size_t>{lead, 1};
  size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 0;
  if (length == 0 || lead > 0xF4 || at + length > bytes.size()) return std::nullopt;
  char32_t c = lead & (0x7F >> length);
  for (size_t i = 1; i < length; ++i) {
    if ((byte(at + i) & 0xC0) != 0x80) return std::nullopt;
    c = (c << 6) | (byte(at + i) & 0x3F);
  }
  constexpr char32_t kLeast[5] = {0, 0, 0x80, 0x800, 0x10000};
  if (c < kLeast[length] || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return std::nullopt;
  return std::pair<char32_t, size_t>{c, length};
}

}  // namespace

bool IsUtf8(std::string_view bytes) {
  for (size_t at = 0; at < bytes.size();) {
    auto decoded = DecodeUtf8(bytes, at);
    if (!decoded) return false;
    at += decoded->second;
  }
  return true;
}

std::string Windows1252ToUtf8(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size() * 2);
  for (char byte : bytes) {
    uint8_t b = static_cast<uint8_t>(byte);
    AppendUtf8(out, b >= 0x80 && b < 0xA0 ? kHighControls[b - 0x80] : b);
  }
  return out;
}

std::string Utf8ToWindows1252(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (size_t at = 0; at < text.size();) {
    auto decoded = DecodeUtf8(text, at);
    if (!decoded) {
      out += '?';
      ++at;
      continue;
    }
    at += decoded->second;
    char32_t c = decoded->first;
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) {
      out += static_cast<char>(c);
      continue;
    }
    char mapped = '?';
    for (int i = 0; i < 32; ++i) {
      if (kHighControls[i] == c) mapped = static_cast<char>(0x80 + i);
    }
    out += mapped;
  }
  return out;
}

}  // namespace platform
