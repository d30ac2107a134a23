#include "platform/shell_namespace.h"

namespace platform {

size_t Latin1FromWide(const std::u16string& text, char* buffer, size_t size) {
  size_t length = text.find(u'\0');
  if (length == std::u16string::npos) length = text.size();
  if (length + 1 > size) return 0;
  for (size_t i = 0; i < length; ++i) {
    buffer[i] = text[i] <= 0xFF ? static_cast<char>(text[i]) : '?';
  }
  buffer[length] = '\0';
  return length + 1;
}

}  // namespace platform
