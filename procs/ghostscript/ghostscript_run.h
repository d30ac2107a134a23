// How Ghostscript is run for a print job: the lines of its response file,
// the code page it reads them in, and its command line.
#pragma once

#include <string>
#include <vector>

#include "platform/rules/path.h"

namespace procs {

// The nine lines (without line ends) for a Ghostscript folder that ends in a
// delimiter and the PDF file to make. Line 7 names the file with every "%"
// doubled, so that Ghostscript writes to exactly outputPath. Ghostscript
// reads a response file's double quotes as quotes only at the start of a
// word or after "=": line 1, the search folders, is quoted as a whole.
std::vector<std::string> ResponseFileLines(
    const std::string& ghostscriptFolder, const std::string& outputPath,
    platform::path::Style style = platform::path::Style::Native);

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
// the title (left out when empty), the author and the creator (this
// program and its version), each a UTF-16 text string, which keeps any
// script. The texts are in the program's code page.
std::string DocumentInfoPdfmark(const std::string& title, const std::string& author);

}  // namespace procs
