#include "platform/fake/fake_processes.h"

#include <utility>

namespace platform::fake {

namespace {
LaunchResult ExitedOrNotStarted(std::optional<uint32_t> exitCode) {
  return exitCode ? LaunchResult::Exited(*exitCode) : LaunchResult::NotStarted();
}
}  // namespace

void FakeProcesses::QueueExitCode(std::optional<uint32_t> exitCode) {
  queue_.push_back([exitCode](const std::string&) { return ExitedOrNotStarted(exitCode); });
}

void FakeProcesses::QueueRun(Run run) { queue_.push_back(std::move(run)); }

LaunchResult FakeProcesses::Launch(const std::string& commandLine, const LaunchOptions& options) {
  calls.push_back({commandLine, options});
  LaunchResult answer = Answer(commandLine);
  if (!options.wait && answer.ending() != LaunchResult::Ending::kNotStarted)
    return LaunchResult::Started();
  return answer;
}

LaunchResult FakeProcesses::Answer(const std::string& commandLine) {
  if (queue_.empty()) return ExitedOrNotStarted(defaultExitCode);
  Run run = std::move(queue_.front());
  queue_.pop_front();
  return run(commandLine);
}

}  // namespace platform::fake
