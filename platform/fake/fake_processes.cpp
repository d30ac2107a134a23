#include "platform/fake/fake_processes.h"

#include <utility>

namespace platform::fake {

void FakeProcesses::QueueExitCode(std::optional<uint32_t> exitCode) {
  queue_.push_back([exitCode](const std::string&) { return exitCode; });
}

void FakeProcesses::QueueRun(Run run) { queue_.push_back(std::move(run)); }

std::optional<uint32_t> FakeProcesses::RunAndWait(const std::string& commandLine,
                                                  uint16_t showMode) {
  calls.push_back({commandLine, showMode, true});
  return Answer(commandLine);
}

bool FakeProcesses::Start(const std::string& commandLine, uint16_t showMode) {
  calls.push_back({commandLine, showMode, false});
  return Answer(commandLine).has_value();
}

std::optional<uint32_t> FakeProcesses::Answer(const std::string& commandLine) {
  if (queue_.empty()) return defaultExitCode;
  Run run = std::move(queue_.front());
  queue_.pop_front();
  return run(commandLine);
}

}  // namespace platform::fake
