// The POSIX backends, one factory per service.
#pragma once

#include <memory>
#include <string>

#include "platform/services.h"

namespace platform::posix {

std::unique_ptr<ProcessInfo> MakeProcessInfo();
std::unique_ptr<Files> MakeFiles();
// Our own INI reader and writer with the Windows rules.
std::unique_ptr<Profile> MakeProfile();
// A file store in the "Windows Registry Editor Version 5.00" text format.
std::unique_ptr<Registry> MakeRegistry(std::string storePath);
std::unique_ptr<Processes> MakeProcesses();
std::unique_ptr<Shell> MakeShell();
std::unique_ptr<Dialogs> MakeDialogs();
std::unique_ptr<MessageBoxes> MakeMessageBoxes();
// The shell namespace: Linux has no Printers folder, so no special folder is found.
std::unique_ptr<ShellNamespace> MakeShellNamespace();
// No Windows print spooler: no drivers, and no printer is made.
std::unique_ptr<PrintSpooler> MakePrintSpooler();
std::unique_ptr<Desktop> MakeDesktop();

// Where the native program keeps its registry store: beside the program,
// the program path with the extension ".reg".
std::string RegistryStorePath(const std::string& programPath);

}  // namespace platform::posix
