// The program entry: job mode or set-up mode, chosen by the command line.
#pragma once

#include <functional>
#include <string>

#include "platform/rules/command_line.h"

namespace app {

struct Modes {
  // Converts one print job, given the program's arguments; true when the
  // program is to end, false to go on.
  std::function<bool(const std::string& inputPath, const platform::Arguments& arguments)>
      convertPrintJob;
  // Shows the set-up window until it is closed.
  std::function<void()> runSetup;
};

// Runs the program with the arguments of the running process: the job on
// argument 1, then argument 2, for the first that names an existing file,
// otherwise (or when the jobs answer false) set-up mode, where a user can
// see it; where none can, the reason goes to the system's log instead, with
// exit code 1. Returns the process exit code: 0, or 1 after an error escaped
// and was shown in the "Application Error" box.
int RunProgram(const Modes& modes);

}  // namespace app
