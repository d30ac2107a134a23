#include "platform/fake/fake_processes.h"

#include <utility>

namespace platform::fake {

void FakeProcesses::QueueExitCode(std::optional<uint32_t> exitCode) {
  queue_.push_back([exitCode](const std::string&) { return exitCode; });
}

void FakeProcesses::QueueRun(Run run) { queue_.push_back(std::move(run)); }

std::optional<uint32_t> FakeProcesses::Launch(const std::string& commandLine,
                                              const LaunchOptions& options) {
  calls.push_back({commandLine, options});
  std::optional<uint32_t> answer = Answer(commandLine);
  if (!options.wait && answer) return 0;
  return answer;
}

std::optional<uint32_t> FakeProcesses::Answer(const std::string& commandLine) {
  if (queue_.empty()) return defaultExitCode;
  Run run = std::move(queue_.front());
  queue_.pop_front();
  return run(commandLine);
}

}  // namespace platform::fake
