// The job's own record: one line per job in jobs.log (JobLogPath), so that
// a user can tell what became of a print last week.
#pragma once

#include <chrono>
#include <ctime>
#include <string>

namespace procs {

struct JobRecord {
  std::tm started{};  // local time
  std::string port;
  std::string title;
  // "saved as PATH", "cancelled", "failed: REASON", "kept in Unsaved as
  // PATH: REASON".
  std::string result;
  std::chrono::milliseconds taken{0};
};

// "2026-12-09 17:40:02<TAB>PPP1:<TAB>Report<TAB>saved as C:\...\Report.pdf<TAB>3.2 s":
// the local time the job started, and the texts with every tab and line
// end (and any other control character) made a blank, so that a record is
// always one line.
std::string JobRecordLine(const JobRecord& record);

// The log never grows past about this: a line that would take it past
// drops the oldest half first (whole lines).
inline constexpr size_t kLargestJobLog = 1 << 20;

// Adds the line (and CR LF) to the log at logPath, made with its folders as
// needed. Jobs take turns (Files::LockFile beside it), so a line is never
// torn by another; the shortened log replaces the old one whole. False when
// the line could not be written (the job goes on).
bool AppendJobRecord(const std::string& logPath, const std::string& line);

}  // namespace procs
