// One print job's run of Ghostscript: the job's own folder for its files
// and Ghostscript's, the time limit, and whether a whole PDF came of it.
#pragma once

#include <chrono>
#include <ctime>
#include <optional>
#include <string>
#include <vector>

#include "platform/process.h"
#include "procs/ghostscript/ghostscript_program.h"
#include "procs/ghostscript/ghostscript_run.h"
#include "procs/job_progress.h"

namespace procs {

// A folder of the job's own in the user's temporary folder, for its own
// files and Ghostscript's: made at its first use (the job fails when it
// cannot be), removed with all in it however the job ends.
class JobFolder {
 public:
  JobFolder() = default;
  ~JobFolder();
  JobFolder(const JobFolder&) = delete;
  JobFolder& operator=(const JobFolder&) = delete;

  const std::string& Folder();
  std::string File(const std::string& name);

 private:
  std::string folder_;
};

// What a run is given: the documents read in turn (a PDF whose pages come
// first, the spool file), what the PDF is to be, and its information.
struct Conversion {
  std::vector<std::string> documents;
  PdfOutput output;
  std::string title, author;
  std::time_t started = 0;
  bool asciiDocumentInfo = false;
  // Follows the run's pages (and shows them where it may); none: nothing.
  JobProgress* progress = nullptr;
};

struct ConversionOutcome {
  platform::LaunchResult run = platform::LaunchResult::NotStarted();
  std::optional<std::chrono::seconds> limit;
  bool whole = false;  // exit code 0 and a PDF that ends as a finished one does
};

// Runs Ghostscript hidden into `made` (in the job's folder), with the job's
// folder as its temporary folder, ending with the job however the job ends,
// at most "GhostscriptTimeLimit" seconds, telling of each page it finishes
// (PageReportProlog) to the conversion's progress. A run the user cancels
// ends the job (JobCancelled).
ConversionOutcome Convert(const Ghostscript& ghostscript, const Conversion& conversion,
                          const std::string& made, JobFolder& job);

// Ends the job with what the outcome says of the PDF at outputPath.
[[noreturn]] void FailConversion(const ConversionOutcome& outcome, const Ghostscript& ghostscript,
                                 const std::string& outputPath);

}  // namespace procs
