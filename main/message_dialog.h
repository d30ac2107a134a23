// The window's refusals and instructions: modal message boxes of a kind,
// task-modal like the standard error box (no owner, and the window takes no
// events while one is up).
#pragma once

#include <cstdint>
#include <string>

namespace main_window {

enum class MessageKind {
  kWarning,      // "Warning", exclamation icon
  kInformation,  // "Information", information icon
  kError,        // "Error", stop icon
};

// buttons: platform::kMbOk, kMbOkCancel with OK the default, or kMbYesNo with
// Yes the default. Returns the button pressed, platform::kIdOk, kIdCancel
// (also for Esc and closing), kIdYes or kIdNo.
int ShowMessage(const std::string& text, MessageKind kind, uint32_t buttons);

}  // namespace main_window
