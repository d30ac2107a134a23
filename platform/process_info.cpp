#include "platform/process_info.h"

#include "platform/services.h"

namespace platform {

Arguments ProgramArguments() {
  ProcessInfo& info = *Current().processInfo;
  return Arguments(info.CommandLine(), info.ProgramPath());
}

}  // namespace platform
