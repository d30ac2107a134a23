// A port's name template: the name a PDF gets from its job's details.
//
// Tokens, in any case: <Title>, <User>, <Computer>, <Printer>, <Port>,
// <JobId>, <Date> (yyyy-mm-dd), <Time> (hh-mm-ss), <DateTime:FMT> (FMT of
// %Y %y %m %d %H %M %S %j %%; any other % stays as written) and
// <Counter:000> (the lowest free number, with as many digits at least as
// zeros are written; <Counter> one; in the file name only). A token written
// otherwise stays as typed. A "\" (or "/") of the template itself makes a
// sub-folder.
//
// Safe names: a token's value never leaves the save folder and never names
// a device: \ / : * ? " < > | and control characters in it become "_", and
// so do the template's own characters that Windows does not take. Each
// folder and the file name lose their trailing dots and blanks; one left
// empty (or "." or "..") is "untitled"; a device name ("CON", "nul.pdf",
// "COM1") gets a "_". ".pdf" is added unless the name ends in it. The whole
// path is cut to what the style's system can open (Windows: 259
// characters, with room for a number added; POSIX: 255 bytes a name), the
// title shortened first, the extension kept.
#pragma once

#include <optional>
#include <string>

#include "platform/rules/path.h"
#include "procs/job_details.h"

namespace procs {

struct TemplateName {
  std::string folders;                    // sub-folders, each with its delimiter; "" for none
  std::string prefix;                     // the file name before the counter (all of it without)
  std::optional<unsigned> counterDigits;  // with a counter: its least digits
  std::string suffix;                     // after the counter; "" without one

  // The file name with a number in the counter's place (none without one).
  std::string FileName(unsigned number = 1) const;
};

// `saveFolder` (with or without its delimiter) counts for the length.
TemplateName ExpandNameTemplate(const std::string& nameTemplate, const JobDetails& job,
                                const std::string& saveFolder,
                                platform::path::Style style = platform::path::Style::Native);

}  // namespace procs
