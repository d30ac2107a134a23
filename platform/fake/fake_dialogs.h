// File dialogs and folder choosers that are recorded and answered from one
// script.
#pragma once

#include <deque>
#include <optional>
#include <vector>

#include "platform/dialogs.h"

namespace platform::fake {

struct ShownDialog {
  bool save = false;
  bool folder = false;  // the folder chooser; its title is request.title
  FileDialogRequest request;
};

class FakeDialogs : public Dialogs {
 public:
  // The next scripted answer: a path, or nothing for Cancel (also when the
  // script is empty).
  std::optional<std::string> SaveFile(const FileDialogRequest& request) override;
  std::optional<std::string> OpenFile(const FileDialogRequest& request) override;
  std::optional<std::string> ChooseFolder(const std::string& title) override;

  void Answer(std::optional<std::string> path) { answers_.push_back(std::move(path)); }
  const std::vector<ShownDialog>& Shown() const { return shown_; }

 private:
  std::optional<std::string> Next(const ShownDialog& shown);
  std::deque<std::optional<std::string>> answers_;
  std::vector<ShownDialog> shown_;
};

}  // namespace platform::fake
