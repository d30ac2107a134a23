#include "platform/common/owned_services.h"
#include "platform/rules/path.h"
#include "platform/win32/win32_backends.h"
#include "platform/win32/windows_api.h"

namespace platform {

namespace path {
namespace {
bool IsSystemLeadByte(unsigned char c) { return ::IsDBCSLeadByte(c) != FALSE; }
}  // namespace
LeadBytes SystemLeadBytes() { return LeadBytes{&IsSystemLeadByte}; }
}  // namespace path

namespace win32 {
PDFPRINTER_DEFINE_MAKE_OWNED_SERVICES()
}  // namespace win32

Services& NativeServices() {
  static const OwnedServices owned = win32::MakeOwnedServices();
  static Services services = owned.Table();
  return services;
}

}  // namespace platform
