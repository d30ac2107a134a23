#include "main/error_box.h"

#include "platform/rules/ascii.h"
#include "platform/rules/path.h"
#include "platform/services.h"

namespace main_window {

std::string ApplicationTitle(const std::string& programPath) {
  std::string name = platform::path::FileNamePart(programPath);
  name = name.substr(0, name.find('.'));
  for (size_t i = 1; i < name.size(); ++i) {
    name[i] = platform::ascii::ToLower(name[i]);
  }
  return name;
}

std::string ErrorBoxText(const std::string& text) {
  if (!text.empty() && static_cast<unsigned char>(text.back()) > '.') return text + '.';
  return text;
}

void ShowErrorBox(const std::string& text) {
  auto& services = platform::Current();
  // Task-modal: the box has no owner, and the window must not take events
  // while it is up.
  services.messageBoxes->Show(ErrorBoxText(text),
                              ApplicationTitle(services.processInfo->ProgramPath()),
                              platform::kMbOk | platform::kMbIconError | platform::kMbTaskModal);
}

}  // namespace main_window
