#include "procs/ghostscript/ghostscript_run.h"

#include "platform/rules/windows_command_line.h"
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
  std::string p1 = platform::path::ParentFolder(ghostscriptFolder, style);
  std::string p2 = platform::path::ParentFolder(p1, style);
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

std::string InGhostscriptCodePage(const std::string& line, bool utf8) {
  auto& codePages = *platform::Current().codePages;
  return utf8 ? codePages.ProgramToUtf8(line) : codePages.ProgramToLegacy(line);
}

std::string GhostscriptCommandLine(const std::string& ghostscriptFolder,
                                   const std::string& programName, const std::string& responseFile,
                                   const std::string& inputPath) {
  using platform::QuoteWindowsPath;
  return QuoteWindowsPath(ghostscriptFolder + programName) + " @" + QuoteWindowsPath(responseFile) +
         " " + QuoteWindowsPath(inputPath);
}

}  // namespace procs
