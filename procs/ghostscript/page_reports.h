// Ghostscript telling of each page it finishes, for a job's progress: a
// PostScript file read before the documents makes it write a line
// "PDFPrinter page N" to its standard output at the end of every page
// (N counts the pages of all the documents of the run).
//
// It sets an /EndPage procedure in the page device, which -dSAFER allows.
// A document's own setpagedevice may set an /EndPage of its own, which
// would replace it: the file also defines setpagedevice in userdict (found
// before systemdict's by every document that calls it by name), which puts
// the count before any /EndPage a document sets. A document that calls
// systemdict's setpagedevice directly with an /EndPage of its own is not
// counted after it; the progress then shows the last page counted.
#pragma once

#include <optional>
#include <string>

namespace procs {

// The PostScript of that file.
std::string PageReportProlog();

// The page number of one line of Ghostscript's output: a line that is
// "PDFPrinter page " and a number above 0 as Ghostscript writes it (no
// sign, no leading zero, at most nine digits), nothing else. Nothing for any other line.
std::optional<long> ParsePageReport(const std::string& line);

}  // namespace procs
