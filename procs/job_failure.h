// What a print job tells the user who printed: in a box where a user can
// see one, else in the system's log (platform::Desktop).
#pragma once

#include <string>

namespace procs {

// An "Error" box with OK, or the log.
void TellUser(const std::string& text);

// The same, then the job ends with exit code 1 (platform::ExitWithCode).
[[noreturn]] void FailJob(const std::string& text);

}  // namespace procs
