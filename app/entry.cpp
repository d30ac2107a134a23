#include "app/entry.h"

#include <new>

#include "app/application_error.h"
#include "platform/error.h"
#include "platform/rules/command_line.h"
#include "platform/services.h"

namespace app {

namespace {

// The arguments as a command line of their own, each quoted.
std::string ArgumentsAfterTheProgram(const platform::Arguments& args) {
  std::string line;
  for (size_t n = 1; n <= args.Count(); ++n) {
    line += (line.empty() ? "" : " ") + platform::QuoteArgument(args.Get(n));
  }
  return line;
}

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
  auto& services = platform::Current();
  // Where no user can see a window (the spooler's session 0), nobody could
  // close the set-up window either: what the spooler started ends, logged.
  if (!services.desktop->UserCanSee()) {
    services.desktop->LogError((args.Get(1).empty()
                                    ? "No print job was given"
                                    : "The print job " + args.Get(1) + " is no existing file") +
                               ", and the set-up window cannot be shown where no user can see it.");
    throw platform::ExitWithCode(1);
  }
  // Ports and the settings file need administrator rights: where the system
  // can give them, the window starts again with them, and this process ends.
  // Declined, it opens as it is, and its errors say what fails.
  if (services.processInfo->CanBeElevated() &&
      services.shell->RunAsAdministrator(args.Get(0), ArgumentsAfterTheProgram(args))) {
    return;
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
