// What the program keeps in the user's own data folder
// (platform::ProcessInfo::UserDataFolder): on Windows "PDF Printer" there
// (%LOCALAPPDATA%\PDF Printer), on Linux "pdfprinter". It holds "Unsaved",
// the PDFs that could not be put where their port says, and "jobs.log",
// one line per job.
#pragma once

#include <string>

namespace procs {

// Each with a trailing delimiter; "" where the system names no data folder
// (then nothing is kept and nothing recorded).
std::string UserDataFolder();
std::string UnsavedFolder();

// The PDFs in the Unsaved folder now (0 when there is none).
size_t CountUnsavedPdfs();

std::string JobLogPath();

}  // namespace procs
