// The standard error box of the set-up window: how an error that ends a
// window handler is shown.
#pragma once

#include <string>

namespace main_window {

// The application title: the program file's name without its folder and
// without everything from its first "." on, all but the first character in
// lower case ("PDFPRINTER.EXE" -> "Pdfprinter").
std::string ApplicationTitle(const std::string& programPath);

// The text as the box shows it: a "." is appended when the last character's
// code is above that of "." (so "...file.txt" gets one, "Done." and "Stop!"
// do not; an empty text stays empty).
std::string ErrorBoxText(const std::string& text);

// A modal message box with the stop icon and "OK", titled with the
// application title of the program path.
void ShowErrorBox(const std::string& text);

}  // namespace main_window
