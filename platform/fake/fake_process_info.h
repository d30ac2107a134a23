// A process whose program path and command line a test chooses.
#pragma once

#include <map>
#include <optional>
#include <string>

#include "platform/process_info.h"

namespace platform::fake {

class FakeProcessInfo : public ProcessInfo {
 public:
  FakeProcessInfo(std::string programPath, std::string commandLine)
      : programPath_(std::move(programPath)), commandLine_(std::move(commandLine)) {}
  std::string ProgramPath() override { return programPath_; }
  std::string CommandLine() override { return commandLine_; }
  std::string SystemFolder() override { return systemFolder; }
  std::string HomeFolder() override { return homeFolder; }
  std::string UserDataFolder() override { return userDataFolder; }
  std::optional<std::string> EnvironmentVariable(const std::string& name) override {
    auto found = environment.find(name);
    if (found == environment.end()) return std::nullopt;
    return found->second;
  }
  std::string UserName() override { return userName; }
  std::string ComputerName() override { return computerName; }
  bool CanBeElevated() override { return canBeElevated; }
  // Every address lies in the program, at its distance from moduleBase.
  ModuleLocation ModuleOf(const void* address) override;

  void SetCommandLine(std::string line) { commandLine_ = std::move(line); }
  uintptr_t moduleBase = 0;
  std::string systemFolder = "C:\\WINDOWS\\system32";
  std::string homeFolder;
  std::string userDataFolder;
  std::map<std::string, std::string> environment;
  std::string userName = "Jo";
  std::string computerName = "DESK";
  bool canBeElevated = false;

 private:
  std::string programPath_;
  std::string commandLine_;
};

}  // namespace platform::fake
