// Modal message boxes.
#pragma once

#include <cstdint>
#include <string>

namespace platform {

enum : uint32_t {
  kMbOk = 0x0,
  kMbOkCancel = 0x1,
  kMbYesNoCancel = 0x3,
  kMbYesNo = 0x4,
  kMbIconError = 0x10,  // also the "stop" icon
  kMbIconWarning = 0x30,
  kMbIconInformation = 0x40,
  kMbTaskModal = 0x2000,
  kMbSetForeground = 0x10000,
  // Ours, never passed to the system: the box is owned by the print job's
  // own hidden window (job mode, whose start-up state may hide the first
  // unowned window).
  kMbOwnedByJob = 0x80000000,
};

enum : int { kIdOk = 1, kIdCancel = 2, kIdYes = 6, kIdNo = 7 };

class MessageBoxes {
 public:
  virtual ~MessageBoxes() = default;
  // Shows the box with no owner window and returns the button pressed
  // (kIdOk, kIdCancel, kIdYes, kIdNo). Closing the box otherwise answers as
  // Cancel would.
  virtual int Show(const std::string& text, const std::string& caption, uint32_t flags) = 0;
};

}  // namespace platform
