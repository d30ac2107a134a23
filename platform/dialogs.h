// The common file dialogs and the folder chooser. Their owner is the program's active window, so
// that window waits while the dialog is up; job mode has none, so there the
// dialogs have no owner.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace platform {

enum : uint32_t {
  kOfnOverwritePrompt = 0x2,
  kOfnHideReadOnly = 0x4,
  kOfnNoChangeDir = 0x8,
  kOfnExplorer = 0x80000,
  kOfnEnableSizing = 0x800000,
};

struct FileDialogRequest {
  std::string title;             // "" for the system's own title
  std::string filter;            // display|pattern|display|pattern
  int filterIndex = 1;           // 1 for the first entry
  std::string defaultExtension;  // with or without the leading "."
  std::string initialFolder;
  std::string fileName;
  uint32_t options = 0;  // kOfn... flags
  // Job mode: owned by the job's own hidden window (see kMbOwnedByJob) and
  // brought to the foreground, instead of by the active window.
  bool ownedByJob = false;
};

class Dialogs {
 public:
  virtual ~Dialogs() = default;
  // The chosen file's full path, or nothing when the user cancels.
  virtual std::optional<std::string> SaveFile(const FileDialogRequest& request) = 0;
  virtual std::optional<std::string> OpenFile(const FileDialogRequest& request) = 0;
  // The folder chooser, with the title shown above the folder tree. It opens
  // at the top of the shell's namespace with nothing preselected, and only
  // file-system folders can be confirmed. The chosen folder's path as the
  // system gives it (no trailing delimiter but a drive root's, "D:\"), or
  // nothing when the user cancels.
  virtual std::optional<std::string> ChooseFolder(const std::string& title) = 0;
};

}  // namespace platform
