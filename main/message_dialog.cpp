#include "main/message_dialog.h"

#include "platform/services.h"

namespace main_window {

int ShowMessage(const std::string& text, MessageKind kind, uint32_t buttons) {
  bool warning = kind == MessageKind::kWarning;
  return platform::Current().messageBoxes->Show(
      text, warning ? "Warning" : "Information",
      buttons | (warning ? platform::kMbIconWarning : platform::kMbIconInformation) |
          platform::kMbTaskModal);
}

}  // namespace main_window
