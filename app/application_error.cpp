#include "app/application_error.h"

#include <cstdio>

#include "platform/services.h"

namespace app {

std::string FormatApplicationError(const std::string& kind, const std::string& moduleFileName,
                                   uintptr_t offset, const std::string& text) {
  char address[16];
  std::snprintf(address, sizeof address, "%08lX", static_cast<unsigned long>(offset & 0xFFFFFFFFu));
  std::string out =
      "Exception " + kind + " in module " + moduleFileName + " at " + address + ".\n" + text;
  if (!text.empty() && text.back() != '.') out += '.';
  return out;
}

void ShowApplicationError(const std::string& kind, const void* codeAddress,
                          const std::string& text) {
  auto& services = platform::Current();
  platform::ModuleLocation where = services.processInfo->ModuleOf(codeAddress);
  const std::string report = FormatApplicationError(kind, where.fileName, where.offset, text);
  // Where no user can see a box, nobody would close it: the log has it.
  if (!services.desktop->UserCanSee()) {
    services.desktop->LogError("Application Error: " + report);
    return;
  }
  services.messageBoxes->Show(report, "Application Error",
                              platform::kMbOk | platform::kMbIconError | platform::kMbTaskModal |
                                  platform::kMbOwnedByJob | platform::kMbSetForeground);
}

}  // namespace app
