// The title of a print job's document: the name the application gave the
// spooler, or the "%%Title:" comment of the PostScript the driver wrote,
// without the decorations of common applications.
#pragma once

#include <string>
#include <string_view>

namespace procs {

// The text of the first "%%Title:" comment in a PostScript file's header
// (the comments before "%%EndComments"; a PJL preamble before "%!" is passed
// over): plain text up to the line's end, a "(...)" string with the
// escapes \n \r \t \b \f \\ \( \) and \ooo and balanced parentheses, or a
// "<...>" hex string. Lines end at CR LF, LF or a lone CR. The bytes as
// written; "" when there is no such comment.
std::string PostScriptTitle(std::string_view header);

// The title without the name of the application that printed it
// ("Microsoft Word - Report.docx", "notes.txt - Notepad") and without a
// final extension of a common document type (".docx", ".txt", ".pdf", ...),
// blanks around it trimmed: "Report", "notes".
std::string CleanTitle(std::string title);

}  // namespace procs
