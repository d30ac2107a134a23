// The product copied into a scratch folder, as a user would install it: its
// settings file and registry store are then the test's own.
#pragma once

#include <string>

#include "support/scratch_dir.h"

namespace testing_support {

struct CommandResult {
  int exitCode = -1;
  std::string output;  // standard output and standard error together
};

// Runs a shell command line and waits for it.
CommandResult RunShell(const std::string& commandLine);

// Quotes a word for the POSIX shell.
std::string ShellQuote(const std::string& word);

}  // namespace testing_support
