#include "platform/process.h"

namespace platform {

std::string LaunchResult::Describe() const {
  switch (ending_) {
    case Ending::kExited:
      return "ended with code " + std::to_string(exitCode_);
    case Ending::kNotStarted:
      return "could not be started";
    case Ending::kStoppedAtLimit:
      return "stopped at the time limit";
    case Ending::kLeftRunning:
      return "was still running";
    case Ending::kStarted:
      return "was started";
    case Ending::kCancelled:
      return "was cancelled";
  }
  return "";
}

}  // namespace platform
