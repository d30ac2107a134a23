#include "platform/fake/fake_message_boxes.h"

namespace platform::fake {

int FakeMessageBoxes::Show(const std::string& text, const std::string& caption, uint32_t flags) {
  shown_.push_back({text, caption, flags});
  if (!answers_.empty()) {
    int answer = answers_.front();
    answers_.pop_front();
    return answer;
  }
  return (flags & 0xF) == kMbOk ? kIdOk : kIdCancel;
}

}  // namespace platform::fake
