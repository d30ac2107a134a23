// How Ghostscript is run for a print job: the lines of its response file,
// the code page it reads them in, and its command line.
#pragma once

#include <ctime>
#include <optional>
#include <string>
#include <vector>

#include "platform/rules/path.h"

namespace procs {

// What a PDF is to be beyond Ghostscript's defaults.
struct PdfOutput {
  // 0: PDF; 1: PDF/A-1b; 2: PDF/A-2b.
  int pdfType = 0;
  // A -dPDFSETTINGS preset ("screen", "ebook", "printer", "prepress",
  // "default"); "" for none.
  std::string quality;
  // PDF/A: the sRGB colour profile its output intent names, which
  // Ghostscript may read under -dSAFER (--permit-file-read, which 9.50 and
  // later take) where `permitProfile`.
  std::string iccProfile;
  bool permitProfile = true;
  // A PDF read whose pages cannot all be read fails the run
  // (-dPDFSTOPONERROR) instead of going on without them (a PDF with a
  // password gives no page and exit code 0 otherwise).
  bool stopOnPdfError = false;
};

// The quality presets Ghostscript knows: "screen", "ebook", "printer",
// "prepress", "default", in the order of the file sizes they give, the
// smallest first (but "default").
const std::vector<std::string>& QualityPresets();
bool IsQualityPreset(const std::string& name);

// The response file's lines (without line ends) for a Ghostscript folder
// that ends in a delimiter and the PDF file to make: the nine of a plain PDF
// (the search folders, the device, -dBATCH, -dNOPAUSE, -dSAFER, -q, the
// output file, "-c save pop", "-f"), with the lines for PDF/A, the quality
// and the PDFs read before the output file. The output file's line names it with every "%"
// doubled, so that Ghostscript writes to exactly outputPath. Ghostscript
// reads a response file's double quotes as quotes only at the start of a
// word or after "=": line 1, the search folders, is quoted as a whole.
std::vector<std::string> ResponseFileLines(
    const std::string& ghostscriptFolder, const std::string& outputPath,
    const PdfOutput& output = {}, platform::path::Style style = platform::path::Style::Native);

// PDF/A: the PostScript, read before the job's, that gives the PDF its
// output intent with the sRGB profile (a PostScript string of the path in
// the code page Ghostscript reads, ReadsResponseFileAsUtf8).
std::string PdfaDefinition(const std::string& iccProfile, bool utf8);

// The sRGB profile of the Ghostscript in the folder (which ends in a
// delimiter): "iccprofiles\srgb.icc" beside its "bin" folder, as its
// installers lay it out; on Linux also where Debian puts it
// (/usr/share/color/icc/ghostscript/srgb.icc). Nothing when none is there.
std::optional<std::string> GhostscriptSrgbProfile(const std::string& ghostscriptFolder);

// A line of the program's text in the code page that Ghostscript reads
// (ReadsResponseFileAsUtf8).
std::string InGhostscriptCodePage(const std::string& line, bool utf8);

// The command line: the program programName in ghostscriptFolder (which
// ends in a delimiter), "@" and the quoted response file (the job's own, in
// its temporary folder), then the input files, read in turn. The program
// path and the input paths are quoted too (platform::QuoteWindowsPath), so
// blanks in any cannot split them or start another program.
std::string GhostscriptCommandLine(const std::string& ghostscriptFolder,
                                   const std::string& programName, const std::string& responseFile,
                                   const std::vector<std::string>& inputs);

// The document's information as PostScript for a file read after the job's
// own (so that it wins over what the driver wrote): a DOCINFO pdfmark with
// the title (left out when empty), the author, the creator (this program
// and its version), and the time (UTC, with "+00'00'", which PDF/A
// validators read as the XMP date Ghostscript writes from it; Ghostscript's
// own "Z00'00'" they do not). A text in ASCII is a plain string; any other
// is a UTF-16 text string, which keeps any script, or left out where
// `asciiOnly` (a Ghostscript that would drop all the information under
// PDF/A for one such text). The texts are in the program's code page.
std::string DocumentInfoPdfmark(const std::string& title, const std::string& author,
                                std::time_t when, bool asciiOnly = false);

}  // namespace procs
