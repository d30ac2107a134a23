// File names with a number in them: the automatic names pdf_01.pdf to
// pdf_99.pdf, pdf_100.pdf, ...; a template's counter (Invoice-0042.pdf); a
// number added to a name that is taken (Report (2).pdf). A PDF takes the
// lowest number free in its folder.
#pragma once

#include <string>
#include <string_view>

#include "platform/rules/path.h"

namespace procs {

struct NumberedName {
  std::string prefix;
  unsigned digits = 1;  // at least
  std::string suffix;
  unsigned first = 1;  // the lowest number the form has

  std::string For(unsigned number) const;
  // The number the file name gives in exactly this form (letters compared
  // as the style's file system compares them, no more leading zeros than
  // `digits` asks for: "pdf_07.pdf" 7, "pdf_100.pdf" 100); 0 for any other
  // name ("pdf_007.pdf", "pdf_7.pdf", "pdf_00.pdf").
  unsigned NumberOf(std::string_view fileName,
                    platform::path::Style style = platform::path::Style::Native) const;
};

// pdf_01.pdf, pdf_02.pdf, ...
NumberedName AutomaticName();
// For a name that is taken: "Report.pdf" -> "Report (2).pdf", "Report
// (3).pdf", ... (before the extension, if it has one).
NumberedName AddedNumber(const std::string& fileName);

// The lowest name of the form that one listing of the folder leaves free
// (the form's first when the folder cannot be listed), with the folder and
// a delimiter before it.
std::string FirstFreeName(const std::string& folder, const NumberedName& form);

// Moves the file `from` (in the folder) to the lowest name of the form free
// there, and returns that name's path: from FirstFreeName on, each number is
// taken only when nothing stands at its name (a file, a folder, a link:
// Files::MoveToNewName), so of jobs that finish at once each gets a name of
// its own and none replaces another's file. A name listed that is not there
// (an ANSI best-fit form of a Unicode name on Windows) can only make a
// number be skipped. Raises platform::EInOutError naming the name and the
// folder when the move fails for any other reason.
std::string MoveToFreeName(const std::string& from, const std::string& folder,
                           const NumberedName& form);

}  // namespace procs
