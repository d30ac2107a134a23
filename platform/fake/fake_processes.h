// Processes that only pretend: every call is recorded, and its answer comes
// from a queue the test fills, so a test can also act out what the program
// would have done (for instance write its output file).
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/process.h"

namespace platform::fake {

struct ProcessCall {
  std::string commandLine;
  LaunchOptions options;
};

class FakeProcesses : public Processes {
 public:
  // Acts out one run, given its command line, and says how it ended.
  using Run = std::function<LaunchResult(const std::string& commandLine)>;

  // Queue the answer of the next call: an exit code, or nothing for a
  // program that cannot be started; calls beyond the queue answer
  // defaultExitCode.
  void QueueExitCode(std::optional<uint32_t> exitCode);
  void QueueRun(Run run);

  // Without wait, a program that is not refused answers kStarted.
  LaunchResult Launch(const std::string& commandLine, const LaunchOptions& options) override;

  std::vector<ProcessCall> calls;
  std::optional<uint32_t> defaultExitCode = 0;

 private:
  LaunchResult Answer(const std::string& commandLine);

  std::deque<Run> queue_;
};

}  // namespace platform::fake
