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

// The first pdf_NN.pdf in the save folder that is not an existing file (a
// delimiter is added to the folder unless it ends in one). One listing of
// the folder gives the lowest number it leaves free; existence tests confirm
// it and go on from there, and answer alone when the folder cannot be
// listed. The answer is that of ProbedAutomaticName: the tests make good a
// listing that misses a file; a name listed that the tests would not find
// (an ANSI best-fit form of a Unicode name on Windows) can only make a
// number be skipped, never one be reused.
std::string NextAutomaticName(const std::string& saveFolder);

// The same by existence tests alone: numbers from `from` on, one test each.
std::string ProbedAutomaticName(const std::string& saveFolder, unsigned from = 1);

// An automatic name made this job's own: the lowest number the one listing
// leaves free (1 when the folder cannot be listed) is created as a new file
// (platform::CreateMode::kNew), and while another job or user holds that
// name the next number is tried. The file stays open for the job to write.
struct ClaimedName {
  std::string path;
  std::unique_ptr<platform::WritableFile> file;
};
// Raises platform::Error naming the folder when a name cannot be made for
// any other reason than its being taken (path too long, access denied, ...).
ClaimedName ClaimAutomaticName(const std::string& saveFolder);

}  // namespace procs
