// A build's backends owned together, and the table that points at them: what
// NativeServices() keeps alive for the whole process.
#pragma once

#include <memory>

#include "platform/services.h"

namespace platform {

struct OwnedServices {
  std::unique_ptr<ProcessInfo> processInfo;
  std::unique_ptr<Files> files;
  std::unique_ptr<Profile> profile;
  std::unique_ptr<Registry> registry;
  std::unique_ptr<Processes> processes;
  std::unique_ptr<Shell> shell;
  std::unique_ptr<Dialogs> dialogs;
  std::unique_ptr<MessageBoxes> messageBoxes;
  std::unique_ptr<ShellNamespace> shellNamespace;
  std::unique_ptr<PrintSpooler> printSpooler;
  std::unique_ptr<Desktop> desktop;
  std::unique_ptr<CodePages> codePages;

  Services Table() const {
    return {processInfo.get(),    files.get(),        profile.get(), registry.get(),
            processes.get(),      shell.get(),        dialogs.get(), messageBoxes.get(),
            shellNamespace.get(), printSpooler.get(), desktop.get(), codePages.get()};
  }
};

}  // namespace platform
