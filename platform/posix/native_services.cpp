#include "platform/common/owned_services.h"
#include "platform/common/windows_1252_code_pages.h"
#include "platform/posix/posix_backends.h"
#include "platform/rules/path.h"

namespace platform {

namespace path {
LeadBytes SystemLeadBytes() { return LeadBytes{}; }
}  // namespace path

namespace posix {

// Linux names files in UTF-8; an earlier version's legacy lines are read as
// Windows-1252.
std::unique_ptr<CodePages> MakeCodePages() { return std::make_unique<Windows1252CodePages>(); }

std::unique_ptr<Registry> MakeRegistry() {
  return MakeRegistry(RegistryStorePath(MakeProcessInfo()->ProgramPath()));
}

PDFPRINTER_DEFINE_MAKE_OWNED_SERVICES()

}  // namespace posix

Services& NativeServices() {
  static const OwnedServices owned = posix::MakeOwnedServices();
  static Services services = owned.Table();
  return services;
}

}  // namespace platform
