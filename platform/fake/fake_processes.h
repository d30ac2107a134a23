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
  // Acts out one run, given its command line. Its result is the exit code,
  // or nothing for a program that cannot be started.
  using Run = std::function<std::optional<uint32_t>(const std::string& commandLine)>;

  // Queue the answer of the next call; calls beyond the queue answer
  // defaultExitCode.
  void QueueExitCode(std::optional<uint32_t> exitCode);
  void QueueRun(Run run);

  // Without wait, any exit code queued answers 0 (started).
  std::optional<uint32_t> Launch(const std::string& commandLine,
                                 const LaunchOptions& options) override;

  std::vector<ProcessCall> calls;
  std::optional<uint32_t> defaultExitCode = 0;

 private:
  std::optional<uint32_t> Answer(const std::string& commandLine);

  std::deque<Run> queue_;
};

}  // namespace platform::fake
