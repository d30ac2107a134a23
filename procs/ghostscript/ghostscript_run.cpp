#include "procs/ghostscript/ghostscript_run.h"

#include <cstdio>

#include "platform/rules/code_page_text.h"
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

// A PDF text string of the program's text: "<FEFF" and its UTF-16BE code
// units in hex, ">". A byte that is not UTF-8 stands for U+FFFD.
std::string Utf16TextString(const std::string& text) {
  const std::string utf8 = platform::Current().codePages->ProgramToUtf8(text);
  std::string hex = "<FEFF";
  auto unit = [&](unsigned value) {
    char digits[8];
    std::snprintf(digits, sizeof digits, "%04X", value);
    hex += digits;
  };
  for (size_t i = 0; i < utf8.size();) {
    const auto lead = static_cast<unsigned char>(utf8[i]);
    const size_t length = lead < 0x80    ? 1
                          : lead >= 0xF0 ? 4
                          : lead >= 0xE0 ? 3
                          : lead >= 0xC0 ? 2
                                         : 0;
    if (length == 0 || i + length > utf8.size() || !platform::IsUtf8(utf8.substr(i, length))) {
      unit(0xFFFD);
      ++i;
      continue;
    }
    unsigned code = length == 1 ? lead : lead & (0xFF >> (length + 1));
    for (size_t k = 1; k < length; ++k) code = code << 6 | (utf8[i + k] & 0x3F);
    if (code >= 0x10000) {
      unit(0xD800 + ((code - 0x10000) >> 10));
      unit(0xDC00 + ((code - 0x10000) & 0x3FF));
    } else {
      unit(code);
    }
    i += length;
  }
  return hex + ">";
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
                                   const std::vector<std::string>& inputs) {
  using platform::QuoteWindowsPath;
  std::string line =
      QuoteWindowsPath(ghostscriptFolder + programName) + " @" + QuoteWindowsPath(responseFile);
  for (const std::string& input : inputs) line += " " + QuoteWindowsPath(input);
  return line;
}

std::string DocumentInfoPdfmark(const std::string& title, const std::string& author) {
  std::string mark = "[";
  if (!title.empty()) mark += " /Title " + Utf16TextString(title);
  mark += " /Author " + Utf16TextString(author) + " /Creator " +
          Utf16TextString("PDF Printer " PDFPRINTER_VERSION) + " /DOCINFO pdfmark";
  return mark;
}

}  // namespace procs
