#include "procs/response_file.h"

#include "platform/error.h"
#include "platform/rules/path.h"
#include "platform/services.h"

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
