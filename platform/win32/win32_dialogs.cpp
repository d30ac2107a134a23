#include <vector>

#include "platform/win32/code_page_conversion.h"
#include "platform/win32/com_initialization.h"
#include "platform/win32/job_owner_window.h"
#include "platform/win32/scoped_handle.h"
#include "platform/win32/win32_backends.h"
#include "platform/win32/windows_api.h"

namespace platform::win32 {

namespace {

// The dialog wants "Text\0pattern\0...\0\0" where we keep vertical bars.
std::vector<char> NulSeparated(const std::string& filter) {
  std::vector<char> out(filter.begin(), filter.end());
  for (auto& c : out)
    if (c == '|') c = '\0';
  out.push_back('\0');
  out.push_back('\0');
  return out;
}

std::optional<std::string> Run(const FileDialogRequest& request, bool save) {
  std::vector<char> filter = NulSeparated(request.filter);
  std::vector<char> file(32768, '\0');
  request.fileName.copy(file.data(), file.size() - 1);
  std::string ext = request.defaultExtension;
  if (!ext.empty() && ext.front() == '.') ext.erase(0, 1);

  OPENFILENAMEA ofn{};
  ofn.lStructSize = sizeof ofn;
  // The program's own active window, if any, is disabled while the dialog is
  // up, as a modal dialog should; in job mode there is none.
  ofn.hwndOwner = request.ownedByJob ? JobOwnerWindow() : ::GetActiveWindow();
  if (request.ownedByJob && ofn.hwndOwner) ::SetForegroundWindow(ofn.hwndOwner);
  ofn.lpstrFilter = filter.data();
  ofn.nFilterIndex = request.filterIndex;
  ofn.lpstrFile = file.data();
  ofn.nMaxFile = static_cast<DWORD>(file.size());
  ofn.lpstrInitialDir = request.initialFolder.empty() ? nullptr : request.initialFolder.c_str();
  ofn.lpstrTitle = request.title.empty() ? nullptr : request.title.c_str();
  ofn.lpstrDefExt = ext.empty() ? nullptr : ext.c_str();
  ofn.Flags = request.options;
  BOOL ok = save ? ::GetSaveFileNameA(&ofn) : ::GetOpenFileNameA(&ofn);
  if (!ok) return std::nullopt;
  return std::string(file.data());
}

std::optional<std::string> BrowseForFolder(const std::string& title) {
  InitializeCom();
  char displayName[MAX_PATH] = {};
  BROWSEINFOA info{};
  info.hwndOwner = ::GetActiveWindow();  // as for the file dialogs
  info.pszDisplayName = displayName;
  info.lpszTitle = title.c_str();
  info.ulFlags = BIF_RETURNONLYFSDIRS;
  ScopedItemIdList chosen(::SHBrowseForFolderA(&info));
  if (!chosen.IsValid()) return std::nullopt;
  // The ANSI call's buffer is MAX_PATH bytes, too few for a path of MAX_PATH
  // characters in UTF-8: the path comes wide and goes into the program's
  // code page.
  WCHAR path[MAX_PATH] = {};
  if (!::SHGetPathFromIDListW(chosen.Get(), path)) return std::nullopt;
  return ProgramText(path);
}

class Win32Dialogs : public Dialogs {
 public:
  std::optional<std::string> SaveFile(const FileDialogRequest& request) override {
    return Run(request, true);
  }
  std::optional<std::string> OpenFile(const FileDialogRequest& request) override {
    return Run(request, false);
  }
  std::optional<std::string> ChooseFolder(const std::string& title) override {
    return BrowseForFolder(title);
  }
};

}  // namespace

std::unique_ptr<Dialogs> MakeDialogs() { return std::make_unique<Win32Dialogs>(); }

}  // namespace platform::win32
