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

Services& NativeServices() {
  static const OwnedServices owned{
      win32::MakeProcessInfo(),  win32::MakeFiles(),        win32::MakeProfile(),
      win32::MakeRegistry(),     win32::MakeProcesses(),    win32::MakeShell(),
      win32::MakeDialogs(),      win32::MakeMessageBoxes(), win32::MakeShellNamespace(),
      win32::MakePrintSpooler(), win32::MakeDesktop(),      win32::MakeCodePages()};
  static Services services = owned.Table();
  return services;
}

}  // namespace platform
