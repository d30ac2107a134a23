// What a print job tells the user who printed: in a box where a user can
// see one, else in the system's log (platform::Desktop).
#pragma once

#include <string>

#include "platform/error.h"

namespace procs {

// The job's end after a failure the user has been told of.
struct JobFailed : platform::ExitWithCode {
  explicit JobFailed(std::string why) : ExitWithCode(1), text(std::move(why)) {}
  std::string text;
};

// The job's end when the user cancels it: exit code 0.
struct JobCancelled : platform::ExitWithCode {
  JobCancelled() : ExitWithCode(0) {}
};

// An "Error" box with OK, or the log.
void TellUser(const std::string& text);

// The same, then the job ends with exit code 1 (JobFailed).
[[noreturn]] void FailJob(const std::string& text);

}  // namespace procs
