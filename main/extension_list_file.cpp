#include "main/extension_list_file.h"

#include "platform/error.h"
#include "platform/rules/path.h"
#include "platform/services.h"

namespace main_window {

std::string ExtensionListPath() {
  return platform::path::FolderPart(platform::Current().processInfo->ProgramPath()) +
         "context_list.txt";
}

std::string WithCrLfLineBreaks(const std::string& text) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    char c = text[i];
    if (c == '\r' || c == '\n') {
      out += "\r\n";
      if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    } else {
      out += c;
    }
  }
  return out;
}

std::string ReadExtensionList(const std::string& path) {
  std::string bytes;
  if (!platform::Current().files->ReadFile(path, bytes)) {
    throw platform::EFOpenError(platform::FormatMessage("Cannot open file %s", path));
  }
  // Each line on its own: an earlier version wrote them in the legacy code page.
  std::string text;
  for (size_t start = 0; start < bytes.size();) {
    size_t end = bytes.find_first_of("\r\n", start);
    if (end == std::string::npos) end = bytes.size();
    text += platform::StoredText(bytes.substr(start, end - start));
    size_t next = bytes.find_first_not_of("\r\n", end);
    text += bytes.substr(end, (next == std::string::npos ? bytes.size() : next) - end);
    start = next == std::string::npos ? bytes.size() : next;
  }
  return WithCrLfLineBreaks(text);
}

void StoreExtensionList(const std::string& path, const std::string& text) {
  auto& files = *platform::Current().files;
  const std::string temporary = path + ".tmp";
  if (files.CreateEmptyFile(temporary) != 0) {
    throw platform::EFCreateError(platform::FormatMessage("Cannot create file %s", temporary));
  }
  if (files.AppendToFile(temporary, text) != 0) {
    files.DeleteFile(temporary);
    throw platform::EWriteError("Stream write error");
  }
  if (files.ReplaceFile(temporary, path) != 0) {
    files.DeleteFile(temporary);
    throw platform::EFCreateError(platform::FormatMessage("Cannot create file %s", path));
  }
}

}  // namespace main_window
