#include "procs/response_file.h"

#include "platform/error.h"
#include "platform/rules/ascii.h"
#include "platform/rules/path.h"
#include "platform/services.h"
#include "procs/find_ghostscript_folder.h"

namespace procs {

namespace {

// Ghostscript reads the output file name as a pattern ("%d" is the page
// number, "%%" a "%"); doubled, every "%" stands for itself.
std::string OutputFilePattern(const std::string& outputPath) {
  std::string pattern;
  for (char c : outputPath) {
    pattern += c;
    if (c == '%') pattern += '%';
  }
  return pattern;
}

}  // namespace

std::vector<std::string> ResponseFileLines(const std::string& ghostscriptFolder,
                                           const std::string& outputPath,
                                           platform::path::Style style) {
  std::string p1 = ParentFolder(ghostscriptFolder, style);
  std::string p2 = ParentFolder(p1, style);
  return {
      "\"-I" + p1 + "lib;" + p2 + "fonts\"",
      " -sDEVICE=pdfwrite",
      " -dBATCH",
      " -dNOPAUSE",
      " -dSAFER",
      " -q",
      " -sOutputFile=\"" + OutputFilePattern(outputPath) + "\"",
      " -c save pop",
      " -f",
  };
}

bool ReadsResponseFileAsUtf8(const std::string& ghostscriptFolder, platform::path::Style style) {
  namespace path = platform::path;
  const std::string installed = path::FileNamePart(
      path::RemoveTrailingDelimiter(ParentFolder(ghostscriptFolder, style), style), style);
  if (installed.size() < 3 || !platform::ascii::StartsWithIgnoringCase(installed, "gs") ||
      installed[2] < '0' || installed[2] > '9') {
    return true;
  }
  return VersionNumbers(installed.substr(2)) >= std::vector<unsigned long>{9, 10};
}

std::string InGhostscriptCodePage(const std::string& line, bool utf8) {
  auto& codePages = *platform::Current().codePages;
  return utf8 ? codePages.ProgramToUtf8(line) : codePages.ProgramToLegacy(line);
}

std::string InOutErrorText(int code) {
  switch (code) {
    case 2:
      return "File not found";
    case 3:
      return "Invalid filename";
    case 4:
      return "Too many open files";
    case 5:
      return "File access denied";
    case 100:
      return "Read beyond end of file";
    case 101:
      return "Disk full";
    case 106:
      return "Invalid numeric input";
    default:
      return "I/O error " + std::to_string(code);
  }
}

void AppendLine(const std::string& path, const std::string& line) {
  auto& files = *platform::Current().files;
  int code = 0;
  if (!files.FileExists(path)) code = files.CreateEmptyFile(path);
  if (code == 0) code = files.AppendToFile(path, line + "\r\n");
  if (code != 0) throw platform::EInOutError(InOutErrorText(code), code);
}

std::string ParentFolder(const std::string& folder, platform::path::Style style) {
  namespace path = platform::path;
  return path::AddTrailingDelimiter(
      path::FolderPart(path::RemoveTrailingDelimiter(folder, style), style), style);
}

}  // namespace procs
