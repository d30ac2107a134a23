#include "platform/win32/code_page_conversion.h"

#include <cstdlib>
#include <vector>

namespace platform::win32 {

UINT LegacyCodePage() {
  char number[8] = {};
  ::GetLocaleInfoA(LOCALE_SYSTEM_DEFAULT, LOCALE_IDEFAULTANSICODEPAGE, number, sizeof number);
  UINT page = static_cast<UINT>(std::strtoul(number, nullptr, 10));
  return page == 0 || page == CP_UTF8 ? 1252 : page;
}

std::string ConvertCodePage(std::string_view text, UINT from, UINT to) {
  if (from == to || text.empty()) return std::string(text);
  const int size = static_cast<int>(text.size());
  int wideLength = ::MultiByteToWideChar(from, 0, text.data(), size, nullptr, 0);
  std::vector<WCHAR> wide(wideLength > 0 ? wideLength : 1);
  wideLength = ::MultiByteToWideChar(from, 0, text.data(), size, wide.data(), wideLength);
  if (wideLength <= 0) return {};
  // UTF-8 takes no default character.
  const char* fallback = to == CP_UTF8 ? nullptr : "?";
  int length = ::WideCharToMultiByte(to, 0, wide.data(), wideLength, nullptr, 0, fallback, nullptr);
  std::string out(length > 0 ? length : 0, '\0');
  ::WideCharToMultiByte(to, 0, wide.data(), wideLength, out.data(), length, fallback, nullptr);
  return out;
}

std::optional<std::string> ProgramText(const WCHAR* text) {
  BOOL lossy = FALSE;
  // UTF-8 takes no question whether a character was lost: it loses none.
  BOOL* lost = ::GetACP() == CP_UTF8 ? nullptr : &lossy;
  int length = ::WideCharToMultiByte(CP_ACP, 0, text, -1, nullptr, 0, nullptr, lost);
  if (length <= 0 || lossy) return std::nullopt;
  std::string out(length, '\0');
  ::WideCharToMultiByte(CP_ACP, 0, text, -1, out.data(), length, nullptr, nullptr);
  out.resize(length - 1);
  return out;
}

std::wstring ProgramToWide(std::string_view text) {
  const int size = static_cast<int>(text.size());
  int length = ::MultiByteToWideChar(CP_ACP, 0, text.data(), size, nullptr, 0);
  std::wstring wide(length > 0 ? length : 0, L'\0');
  ::MultiByteToWideChar(CP_ACP, 0, text.data(), size, wide.data(), length);
  return wide;
}

}  // namespace platform::win32
