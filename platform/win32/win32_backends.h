// The Win32 backends, one factory per service.
#pragma once

#include <memory>

#include "platform/services.h"

namespace platform::win32 {

std::unique_ptr<ProcessInfo> MakeProcessInfo();
std::unique_ptr<Files> MakeFiles();
std::unique_ptr<Profile> MakeProfile();
std::unique_ptr<Registry> MakeRegistry();
std::unique_ptr<Processes> MakeProcesses();
std::unique_ptr<Shell> MakeShell();
std::unique_ptr<Dialogs> MakeDialogs();
std::unique_ptr<MessageBoxes> MakeMessageBoxes();
// The shell namespace through COM, which it initialises on first use.
std::unique_ptr<ShellNamespace> MakeShellNamespace();
std::unique_ptr<PrintSpooler> MakePrintSpooler();
std::unique_ptr<Desktop> MakeDesktop();
std::unique_ptr<CodePages> MakeCodePages();

}  // namespace platform::win32
