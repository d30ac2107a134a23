// Message boxes that are recorded and answered from a script.
#pragma once

#include <deque>
#include <vector>

#include "platform/message_box.h"

namespace platform::fake {

struct ShownBox {
  std::string text;
  std::string caption;
  uint32_t flags = 0;
};

class FakeMessageBoxes : public MessageBoxes {
 public:
  // Answers the next box with the first scripted answer; with none left, an
  // OK-only box answers kIdOk and any other kIdCancel (as closing it would).
  int Show(const std::string& text, const std::string& caption, uint32_t flags) override;

  void Answer(int button) { answers_.push_back(button); }
  const std::vector<ShownBox>& Shown() const { return shown_; }

 private:
  std::deque<int> answers_;
  std::vector<ShownBox> shown_;
};

}  // namespace platform::fake
