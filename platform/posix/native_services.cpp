#include "platform/native_conventions.h"
#include <cstdlib>

#include "platform/posix/ghostscript_registry.h"
#include "platform/posix/posix_backends.h"

namespace platform {

namespace path {
Style NativeStyle() { return Style::Posix; }
LeadBytes NativeLeadBytes() { return LeadBytes{}; }
}  // namespace path

std::string GhostscriptConsoleName() { return "gs"; }
std::vector<std::string> GhostscriptConsoleNames() { return {"gs"}; }

Services& NativeServices() {
  struct Owned {
    std::unique_ptr<ProcessInfo> processInfo = posix::MakeProcessInfo();
    std::unique_ptr<Files> files = posix::MakeFiles();
    std::unique_ptr<Profile> profile = posix::MakeProfile();
    std::unique_ptr<Registry> registry = posix::MakeGhostscriptPresentingRegistry(
        posix::MakeRegistry(posix::RegistryStorePath(processInfo->ProgramPath())),
        std::getenv("PATH") ? std::getenv("PATH") : "/usr/local/bin:/usr/bin:/bin");
    std::unique_ptr<Processes> processes = posix::MakeProcesses();
    std::unique_ptr<Shell> shell = posix::MakeShell();
    std::unique_ptr<Dialogs> dialogs = posix::MakeDialogs();
    std::unique_ptr<MessageBoxes> messageBoxes = posix::MakeMessageBoxes();
    std::unique_ptr<ShellNamespace> shellNamespace = posix::MakeShellNamespace();
    Services services{processInfo.get(), files.get(),     profile.get(), registry.get(),
                      processes.get(),   shell.get(),     dialogs.get(), messageBoxes.get(),
                      shellNamespace.get()};
  };
  static Owned owned;
  return owned.services;
}

}  // namespace platform
