// UTF-8 and Windows-1252 text: every byte string converts to well-formed
// UTF-8 and back unchanged; UTF-8 converts to 1252 and back unchanged where
// the code page holds every character.
#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz/check.h"
#include "platform/rules/code_page_text.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  const std::string utf8 = platform::Windows1252ToUtf8(bytes);
  FUZZ_CHECK(platform::IsUtf8(utf8));
  FUZZ_CHECK(platform::Utf8ToWindows1252(utf8) == bytes);

  const std::string legacy = platform::Utf8ToWindows1252(bytes);
  if (platform::IsUtf8(bytes) && legacy.find('?') == std::string::npos) {
    FUZZ_CHECK(platform::Windows1252ToUtf8(legacy) == bytes);
  }
  if (!platform::IsUtf8(bytes)) FUZZ_CHECK(legacy.find('?') != std::string::npos);
  return 0;
}
