// What a print job shows while Ghostscript converts: where a user can see
// it, a progress window that appears once the run has taken kShowAfter,
// naming the document, the pages done and the time so far, with "Cancel".
// Short jobs show nothing.
#pragma once

#include <chrono>
#include <memory>
#include <string>

#include "platform/process.h"
#include "platform/progress_window.h"

namespace procs {

inline constexpr std::chrono::seconds kShowProgressAfter{2};

// "Starting - 0:01", "12 pages done - 1:05" (minutes and seconds; hours
// too past an hour: "1:02:03").
std::string ProgressStatus(long pagesDone, std::chrono::seconds elapsed);
// "1 page", "12 pages".
std::string PageCount(long pages);

class JobProgress {
 public:
  // `subject`: the document's title, or the spool file's name.
  JobProgress(const std::string& subject, bool visible);

  // Follows the run: Ghostscript's page reports (ParsePageReport) and the
  // ticks that update the window; the run ends when the user cancels.
  void Follow(platform::LaunchOptions& launch);
  // The run has ended: the window goes, before anything else is shown.
  void Stop() { window_.reset(); }

  long PagesDone() const { return pages_; }

 private:
  bool Tick();

  std::string subject_;
  bool visible_;
  std::chrono::steady_clock::time_point start_;
  long pages_ = 0;
  std::unique_ptr<platform::ProgressWindow> window_;
};

}  // namespace procs
