// What a print job is known by: its document's title, who printed it and
// where, and when. The "Redirected Port" monitor passes these to the
// program it starts in environment variables (REDMON_DOCNAME, REDMON_USER,
// REDMON_MACHINE, REDMON_PRINTER, REDMON_PORT, REDMON_JOB,
// REDMON_SESSIONID).
#pragma once

#include <ctime>
#include <string>

namespace procs {

struct JobDetails {
  std::string title;     // CleanTitle'd: "Report"; "" when none is known
  std::string user;      // who printed
  std::string computer;  // where the job was printed
  std::string printer;
  std::string port;
  std::string jobId;
  std::time_t started = 0;  // when the job began
  std::tm when{};           // that, in local time
};

// The job's details: REDMON_DOCNAME, or where the monitor gives none, the
// "%%Title:" of the spool file's first 64 KB (bytes that are not UTF-8 in
// the system's legacy code page); REDMON_USER, else the account the job
// runs as; REDMON_MACHINE (without leading "\\"), else this computer;
// REDMON_PRINTER; REDMON_PORT, else `port`; REDMON_JOB; and now.
JobDetails ReadJobDetails(const std::string& spoolFile, const std::string& port);

}  // namespace procs
