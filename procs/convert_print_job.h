// The print job: one spool file to one PDF file.
#pragma once

#include <string>

namespace procs {

// Converts the spool file at inputPath; true when the program is to end,
// false when it is to go on to set-up mode (Ghostscript missing, "OK").
bool ConvertPrintJob(const std::string& inputPath);

}  // namespace procs
