// A shell that records what it is asked to do.
#pragma once

#include <vector>

#include "platform/shell.h"

namespace platform::fake {

struct ShellCall {
  std::string verb, file, parameters, directory;
  int showMode = 0;
};

class FakeShell : public Shell {
 public:
  intptr_t Execute(const std::string& verb, const std::string& file, const std::string& parameters,
                   const std::string& directory, int showMode) override {
    calls.push_back({verb, file, parameters, directory, showMode});
    return 42;
  }
  bool RunAsAdministrator(const std::string& program, const std::string& parameters) override {
    calls.push_back({"runas", program, parameters, "", 1});
    return elevationAccepted;
  }
  std::vector<ShellCall> calls;
  bool elevationAccepted = true;
};

}  // namespace platform::fake
