#include "platform/fake/fake_dialogs.h"

namespace platform::fake {

std::optional<std::string> FakeDialogs::Next(bool save, const FileDialogRequest& request) {
  shown_.push_back({save, request});
  if (answers_.empty()) return std::nullopt;
  auto answer = answers_.front();
  answers_.pop_front();
  return answer;
}

std::optional<std::string> FakeDialogs::SaveFile(const FileDialogRequest& request) {
  return Next(true, request);
}

std::optional<std::string> FakeDialogs::OpenFile(const FileDialogRequest& request) {
  return Next(false, request);
}

}  // namespace platform::fake
