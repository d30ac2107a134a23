#include "platform/native_conventions.h"
#include "platform/win32/win32_backends.h"
#include "platform/win32/windows_api.h"

namespace platform {

namespace path {
namespace {
bool IsSystemLeadByte(unsigned char c) { return ::IsDBCSLeadByte(c) != FALSE; }
}  // namespace
Style NativeStyle() { return Style::Windows; }
LeadBytes NativeLeadBytes() { return LeadBytes{&IsSystemLeadByte}; }
}  // namespace path

std::string GhostscriptConsoleName() { return "gswin32c.exe"; }
std::vector<std::string> GhostscriptConsoleNames() { return {"gswin32c.exe", "gswin64c.exe"}; }

Services& NativeServices() {
  struct Owned {
    std::unique_ptr<ProcessInfo> processInfo = win32::MakeProcessInfo();
    std::unique_ptr<Files> files = win32::MakeFiles();
    std::unique_ptr<Profile> profile = win32::MakeProfile();
    std::unique_ptr<Registry> registry = win32::MakeRegistry();
    std::unique_ptr<Processes> processes = win32::MakeProcesses();
    std::unique_ptr<Shell> shell = win32::MakeShell();
    std::unique_ptr<Dialogs> dialogs = win32::MakeDialogs();
    std::unique_ptr<MessageBoxes> messageBoxes = win32::MakeMessageBoxes();
    std::unique_ptr<ShellNamespace> shellNamespace = win32::MakeShellNamespace();
    Services services{processInfo.get(), files.get(),     profile.get(), registry.get(),
                      processes.get(),   shell.get(),     dialogs.get(), messageBoxes.get(),
                      shellNamespace.get()};
  };
  static Owned owned;
  return owned.services;
}

}  // namespace platform
