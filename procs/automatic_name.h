// The automatic names of the PDF files: pdf_01.pdf, pdf_02.pdf, ...,
// pdf_99.pdf, pdf_100.pdf (the number in decimal, at least two digits).
#pragma once

#include <memory>
#include <string>

#include "platform/files.h"
#include "platform/rules/path.h"

namespace procs {

// The number that the file name gives in exactly the form of an automatic
// name ("pdf_07.pdf" 7, "pdf_100.pdf" 100), letters compared as the style's
// file system compares them (Windows: without regard to case); 0 for any
// other name ("pdf_007.pdf", "pdf_7.pdf", "pdf_00.pdf").
unsigned AutomaticNameNumber(const std::string& fileName,
                             platform::path::Style style = platform::path::Style::Native);

// An automatic name made this job's own, in the save folder (a delimiter is
// added unless it ends in one): the lowest number that one listing of the
// folder leaves free (1 when the folder cannot be listed) is created as a
// new file (platform::CreateMode::kNew), and while anything stands at that
// name (another job's file, a folder, a link) the next number is tried. A
// name listed that is not there (an ANSI best-fit form of a Unicode name on
// Windows) can only make a number be skipped, never one be reused. The file
// stays open for the job to write.
struct ClaimedName {
  std::string path;
  std::unique_ptr<platform::WritableFile> file;
};
// Raises platform::Error naming the folder when a name cannot be made for
// any other reason than its being taken (path too long, access denied, ...).
ClaimedName ClaimAutomaticName(const std::string& saveFolder);

}  // namespace procs
