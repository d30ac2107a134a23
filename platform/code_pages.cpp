#include "platform/code_pages.h"

#include "platform/rules/code_page_text.h"
#include "platform/services.h"

namespace platform {

std::string StoredText(std::string bytes) {
  CodePages& codePages = *Current().codePages;
  if (!codePages.Utf8Program() || IsUtf8(bytes)) return bytes;
  return codePages.LegacyToProgram(bytes);
}

}  // namespace platform
