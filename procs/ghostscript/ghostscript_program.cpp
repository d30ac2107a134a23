#include "procs/ghostscript/ghostscript_program.h"

#include <algorithm>
#include <cctype>

#include "platform/rules/ascii.h"
#include "platform/services.h"

namespace procs {

namespace path = platform::path;

std::string GhostscriptProgramName() { return GhostscriptProgramNames().front(); }

std::vector<std::string> GhostscriptProgramNames() {
  if (!path::IsWindows(path::Style::Native)) return {"gs"};
  return {"gswin32c.exe", "gswin64c.exe"};
}

std::string GhostscriptProgramIn(const std::string& folder) {
  auto& files = *platform::Current().files;
  for (const std::string& name : GhostscriptProgramNames()) {
    if (files.FileExists(folder + name)) return name;
  }
  return "";
}

std::vector<unsigned long> VersionNumbers(const std::string& version) {
  std::vector<unsigned long> numbers;
  size_t start = 0;
  while (start <= version.size()) {
    size_t end = std::min(version.find('.', start), version.size());
    unsigned long number = 0;
    for (size_t i = start; i < end && std::isdigit(static_cast<unsigned char>(version[i])); ++i) {
      number = std::min(number * 10 + static_cast<unsigned long>(version[i] - '0'), 99999999UL);
    }
    numbers.push_back(number);
    start = end + 1;
  }
  while (!numbers.empty() && numbers.back() == 0) numbers.pop_back();
  return numbers;
}

std::optional<std::vector<unsigned long>> GhostscriptFolderVersion(
    const std::string& ghostscriptFolder, path::Style style) {
  const std::string installed = path::FileNamePart(
      path::RemoveTrailingDelimiter(path::ParentFolder(ghostscriptFolder, style), style), style);
  if (installed.size() < 3 || !platform::ascii::StartsWithIgnoringCase(installed, "gs") ||
      installed[2] < '0' || installed[2] > '9') {
    return std::nullopt;
  }
  return VersionNumbers(installed.substr(2));
}

bool ReadsResponseFileAsUtf8(const std::string& ghostscriptFolder, path::Style style) {
  const auto version = GhostscriptFolderVersion(ghostscriptFolder, style);
  return !version || *version >= std::vector<unsigned long>{9, 10};
}

}  // namespace procs
