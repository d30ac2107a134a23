#include "main/message_dialog.h"

#include "platform/services.h"

namespace main_window {

int ShowMessage(const std::string& text, MessageKind kind, uint32_t buttons) {
  struct Look {
    const char* title;
    uint32_t icon;
  };
  const Look look = kind == MessageKind::kWarning ? Look{"Warning", platform::kMbIconWarning}
                    : kind == MessageKind::kError
                        ? Look{"Error", platform::kMbIconError}
                        : Look{"Information", platform::kMbIconInformation};
  return platform::Current().messageBoxes->Show(text, look.title,
                                                buttons | look.icon | platform::kMbTaskModal);
}

}  // namespace main_window
