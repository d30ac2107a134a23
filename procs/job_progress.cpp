#include "procs/job_progress.h"

#include <cstdio>

#include "platform/services.h"
#include "procs/ghostscript/page_reports.h"

namespace procs {

std::string ProgressStatus(long pagesDone, std::chrono::seconds elapsed) {
  const long long total = elapsed.count() < 0 ? 0 : elapsed.count();
  char time[32];
  if (total >= 3600) {
    std::snprintf(time, sizeof time, "%lld:%02lld:%02lld", total / 3600, total / 60 % 60,
                  total % 60);
  } else {
    std::snprintf(time, sizeof time, "%lld:%02lld", total / 60, total % 60);
  }
  return (pagesDone <= 0 ? std::string("Starting") : PageCount(pagesDone) + " done") + " - " + time;
}

std::string PageCount(long pages) {
  return std::to_string(pages) + (pages == 1 ? " page" : " pages");
}

JobProgress::JobProgress(const std::string& subject, bool visible)
    : subject_(subject), visible_(visible) {}

void JobProgress::Follow(platform::LaunchOptions& launch) {
  start_ = std::chrono::steady_clock::now();
  launch.onOutputLine = [this](const std::string& line) {
    if (auto page = ParsePageReport(line); page && *page > pages_) pages_ = *page;
  };
  if (!visible_) return;
  launch.onTick = [this] { return Tick(); };
  // The window's messages are answered while the job waits.
  launch.dispatchMessages = true;
}

bool JobProgress::Tick() {
  if (!visible_) return true;
  const auto elapsed =
      std::chrono::duration_cast<std::chrono::seconds>(std::chrono::steady_clock::now() - start_);
  if (!window_) {
    window_ = platform::Current().progressWindows->Open("PDF Printer", subject_);
    if (!window_) {
      visible_ = false;
      return true;
    }
  }
  window_->Update(ProgressStatus(pages_, elapsed), elapsed >= kShowProgressAfter);
  return !window_->CancelPressed();
}

}  // namespace procs
