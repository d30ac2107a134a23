// The print job: one spool file to one PDF file.
#pragma once

#include <string>

#include "platform/rules/command_line.h"

namespace procs {

// Converts the spool file at inputPath; true when the program is to end,
// false when it is to go on to set-up mode (Ghostscript missing, "OK").
// arguments are the program's own (the entry's split of its command line):
// every argument from 1 on that begins with "PPP" names the port whose
// options apply, the last one winning. Where a user can see it, a run that
// takes more than a moment shows its progress, with "Cancel", which ends
// the job with exit code 0 and no PDF (JobCancelled). A PDF that cannot be
// put where the port says is kept in the Unsaved folder (UnsavedFolder).
// A run of Ghostscript that fails (it cannot start, exits with a code other
// than 0, is stopped at its time limit, or leaves no whole PDF), a PDF kept
// in Unsaved, and any other failure of the job, is reported in an "Error"
// box, or written to the system's log where no user can see a box
// (platform::Desktop), and ends the program with exit code 1 (JobFailed),
// once what it left at the output path is removed. Every job adds a line
// to the job log (JobLogPath) however it ends.
bool ConvertPrintJob(const std::string& inputPath, const platform::Arguments& arguments);

}  // namespace procs
