#include "platform/rules/output_lines.h"

namespace platform {

void OutputLines::Add(const char* bytes, size_t count) {
  for (size_t i = 0; i < count; ++i) {
    if (bytes[i] != '\n') {
      partial_ += bytes[i];
      if (partial_.size() < kLongest) continue;
    } else if (!partial_.empty() && partial_.back() == '\r') {
      partial_.pop_back();
    }
    if (take_) take_(partial_);
    partial_.clear();
  }
}

void OutputLines::Finish() {
  if (partial_.empty()) return;
  if (take_) take_(partial_);
  partial_.clear();
}

}  // namespace platform
