// Set-up mode: the "PDF Printer setup" window, until it is closed.
#pragma once

#include <string>

namespace main_window {

void RunSetupMode();

// The application title: the program file's name without its folder and
// without everything from its first "." on, all but the first character in
// lower case ("PDFPRINTER.EXE" -> "Pdfprinter").
std::string ApplicationTitle(const std::string& programPath);

}  // namespace main_window
