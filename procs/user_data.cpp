#include "procs/user_data.h"

#include "platform/rules/path.h"
#include "platform/services.h"

namespace procs {

namespace path = platform::path;

std::string UserDataFolder() {
  const std::string data = platform::Current().processInfo->UserDataFolder();
  if (data.empty()) return "";
  return path::AddTrailingDelimiter(
      path::AddTrailingDelimiter(data) +
      (path::IsWindows(path::Style::Native) ? "PDF Printer" : "pdfprinter"));
}

std::string UnsavedFolder() {
  const std::string folder = UserDataFolder();
  return folder.empty() ? "" : path::AddTrailingDelimiter(folder + "Unsaved");
}

size_t CountUnsavedPdfs() {
  const std::string folder = UnsavedFolder();
  if (folder.empty()) return 0;
  const auto found = platform::Current().files->ListFiles(folder, "*.pdf");
  return found ? found->size() : 0;
}

std::string JobLogPath() {
  const std::string folder = UserDataFolder();
  return folder.empty() ? "" : folder + "jobs.log";
}

}  // namespace procs
