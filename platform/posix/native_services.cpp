#include "platform/common/owned_services.h"
#include "platform/common/windows_1252_code_pages.h"
#include "platform/posix/posix_backends.h"
#include "platform/rules/path.h"

namespace platform {

namespace path {
LeadBytes SystemLeadBytes() { return LeadBytes{}; }
}  // namespace path

namespace {

OwnedServices MakeNativeServices() {
  OwnedServices owned;
  owned.processInfo = posix::MakeProcessInfo();
  owned.files = posix::MakeFiles();
  owned.profile = posix::MakeProfile();
  owned.registry = posix::MakeRegistry(posix::RegistryStorePath(owned.processInfo->ProgramPath()));
  owned.processes = posix::MakeProcesses();
  owned.shell = posix::MakeShell();
  owned.dialogs = posix::MakeDialogs();
  owned.messageBoxes = posix::MakeMessageBoxes();
  owned.shellNamespace = posix::MakeShellNamespace();
  owned.printSpooler = posix::MakePrintSpooler();
  owned.desktop = posix::MakeDesktop();
  owned.codePages = std::make_unique<Windows1252CodePages>();
  return owned;
}

}  // namespace

Services& NativeServices() {
  static const OwnedServices owned = MakeNativeServices();
  static Services services = owned.Table();
  return services;
}

}  // namespace platform
