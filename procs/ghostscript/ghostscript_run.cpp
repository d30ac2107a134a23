#include "procs/ghostscript/ghostscript_run.h"

#include <algorithm>
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

const std::vector<std::string>& QualityPresets() {
  static const std::vector<std::string> presets = {"screen", "ebook", "printer", "prepress",
                                                   "default"};
  return presets;
}

bool IsQualityPreset(const std::string& name) {
  return std::find(QualityPresets().begin(), QualityPresets().end(), name) !=
         QualityPresets().end();
}

std::vector<std::string> ResponseFileLines(const std::string& ghostscriptFolder,
                                           const std::string& outputPath, const PdfOutput& output,
                                           platform::path::Style style) {
  std::string p1 = platform::path::ParentFolder(ghostscriptFolder, style);
  std::string p2 = platform::path::ParentFolder(p1, style);
  std::vector<std::string> lines = {
      "\"-I" + p1 + "lib;" + p2 + "fonts\"",
      " -sDEVICE=pdfwrite",
      " -dBATCH",
      " -dNOPAUSE",
      " -dSAFER",
      " -q",
  };
  if (output.pdfType == 1 || output.pdfType == 2) {
    // What PDF/A forbids is left out rather than failing the job.
    lines.insert(lines.end(),
                 {" -dPDFA=" + std::to_string(output.pdfType), " -dPDFACompatibilityPolicy=1",
                  " -sColorConversionStrategy=RGB", " -sProcessColorModel=DeviceRGB"});
    if (output.permitProfile) lines.push_back(" --permit-file-read=\"" + output.iccProfile + "\"");
  }
  if (IsQualityPreset(output.quality)) lines.push_back(" -dPDFSETTINGS=/" + output.quality);
  if (output.stopOnPdfError) lines.push_back(" -dPDFSTOPONERROR");
  lines.insert(lines.end(),
               {" -sOutputFile=\"" + OutputFilePattern(outputPath) + "\"", " -c save pop", " -f"});
  return lines;
}

std::string PdfaDefinition(const std::string& iccProfile, bool utf8) {
  std::string path;
  for (char c : InGhostscriptCodePage(iccProfile, utf8)) {
    if (c == '\\' || c == '(' || c == ')') path += '\\';
    path += c;
  }
  return "[/_objdef {icc_PDFA} /type /stream /OBJ pdfmark\n"
         "[{icc_PDFA} << /N 3 >> /PUT pdfmark\n"
         "[{icc_PDFA} (" +
         path +
         ") (r) file /PUT pdfmark\n"
         "[/_objdef {OutputIntent_PDFA} /type /dict /OBJ pdfmark\n"
         "[{OutputIntent_PDFA} << /Type /OutputIntent /S /GTS_PDFA1 "
         "/DestOutputProfile {icc_PDFA} /OutputConditionIdentifier (sRGB) >> /PUT pdfmark\n"
         "[{Catalog} << /OutputIntents [ {OutputIntent_PDFA} ] >> /PUT pdfmark";
}

std::optional<std::string> GhostscriptSrgbProfile(const std::string& ghostscriptFolder) {
  namespace path = platform::path;
  std::vector<std::string> candidates = {path::ParentFolder(ghostscriptFolder) + "iccprofiles" +
                                         path::Delimiter() + "srgb.icc"};
  if (!path::IsWindows(path::Style::Native)) {
    candidates.push_back("/usr/share/color/icc/ghostscript/srgb.icc");
  }
  for (const std::string& candidate : candidates) {
    if (platform::Current().files->FileExists(candidate)) return candidate;
  }
  return std::nullopt;
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

std::string DocumentInfoPdfmark(const std::string& title, const std::string& author,
                                std::time_t when, bool asciiOnly) {
  auto field = [&](const char* key, const std::string& text) -> std::string {
    const bool ascii = std::all_of(text.begin(), text.end(), [](char c) {
      return static_cast<unsigned char>(c) >= 0x20 && static_cast<unsigned char>(c) < 0x7F;
    });
    if (ascii) {
      std::string string = " /" + std::string(key) + " (";
      for (char c : text)
        string += (c == '\\' || c == '(' || c == ')') ? std::string{'\\', c} : std::string{c};
      return string + ")";
    }
    return asciiOnly ? "" : " /" + std::string(key) + " " + Utf16TextString(text);
  };
  char date[32] = {};
  if (const std::tm* utc = std::gmtime(&when))
    std::strftime(date, sizeof date, "D:%Y%m%d%H%M%S", utc);
  std::string mark = "[";
  if (!title.empty()) mark += field("Title", title);
  mark += field("Author", author) + field("Creator", "PDF Printer " PDFPRINTER_VERSION);
  mark += " /CreationDate (" + std::string(date) + "+00'00') /ModDate (" + date +
          "+00'00') /DOCINFO pdfmark";
  return mark;
}

}  // namespace procs
