#include "app/entry.h"

#include <new>

#include "app/application_error.h"
#include "platform/rules/command_line.h"
#include "platform/error.h"
#include "platform/services.h"

namespace app {

namespace {

void RunModes(const Modes& modes) {
  platform::Arguments args = platform::ProgramArguments();
  auto& files = *platform::Current().files;
  for (size_t n : {1, 2}) {
    std::string candidate = args.Get(n);
    if (!candidate.empty() && files.FileExists(candidate) &&
        modes.convertPrintJob(candidate, args)) {
      return;
    }
  }
  modes.runSetup();
}

}  // namespace

int RunProgram(const Modes& modes) {
  try {
    RunModes(modes);
    return 0;
  } catch (const platform::ExitWithCode& exit) {
    return exit.code;
  } catch (const platform::Error& error) {
    ShowApplicationError(error.Kind(), error.CodeAddress(), error.Message());
  } catch (const std::bad_alloc&) {
    ShowApplicationError("EOutOfMemory", reinterpret_cast<const void*>(&RunProgram),
                         "Out of memory");
  } catch (const std::exception& error) {
    ShowApplicationError("Exception", reinterpret_cast<const void*>(&RunProgram), error.what());
  }
  return 1;
}

}  // namespace app
