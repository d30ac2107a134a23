// The automatic names of the PDF files: pdf_01.pdf, pdf_02.pdf, ...,
// pdf_99.pdf, pdf_100.pdf (the number in decimal, at least two digits).
#pragma once

#include <string>

#include "platform/rules/path.h"

namespace procs {

// The number that the file name gives in exactly the form of an automatic
// name ("pdf_07.pdf" 7, "pdf_100.pdf" 100), letters compared as the style's
// file system compares them (Windows: without regard to case); 0 for any
// other name ("pdf_007.pdf", "pdf_7.pdf", "pdf_00.pdf").
unsigned AutomaticNameNumber(const std::string& fileName,
                             platform::path::Style style = platform::path::Style::Native);

// The lowest automatic name that one listing of the save folder leaves free
// (pdf_01.pdf when the folder cannot be listed), with the folder and a
// delimiter before it.
std::string FirstFreeAutomaticName(const std::string& saveFolder);

// Moves the file `from` (in the save folder) to the lowest automatic name
// free there, and returns that name's path: from FirstFreeAutomaticName on,
// each number is taken only when nothing stands at its name (a file, a
// folder, a link: Files::MoveToNewName), so of jobs that finish at once each
// gets a name of its own and none replaces another's file. A name listed
// that is not there (an ANSI best-fit form of a Unicode name on Windows) can
// only make a number be skipped. Raises platform::EInOutError naming the
// name and the folder when the move fails for any other reason.
std::string MoveToAutomaticName(const std::string& from, const std::string& saveFolder);

}  // namespace procs
