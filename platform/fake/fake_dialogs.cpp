#include "platform/fake/fake_dialogs.h"

namespace platform::fake {

std::optional<std::string> FakeDialogs::Next(const ShownDialog& shown) {
  shown_.push_back(shown);
  if (answers_.empty()) return std::nullopt;
  auto answer = answers_.front();
  answers_.pop_front();
  return answer;
}

std::optional<std::string> FakeDialogs::SaveFile(const FileDialogRequest& request) {
  return Next({.save = true, .request = request});
}

std::optional<std::string> FakeDialogs::OpenFile(const FileDialogRequest& request) {
  return Next({.request = request});
}

std::optional<std::string> FakeDialogs::ChooseFolder(const std::string& title) {
  ShownDialog shown;
  shown.folder = true;
  shown.request.title = title;
  return Next(shown);
}

}  // namespace platform::fake
