#include <cstdio>

#include "platform/posix/posix_backends.h"
#include "platform/posix/zenity.h"
#include "platform/rules/path.h"

namespace platform::posix {

namespace {

// "Text|pattern|Text|pattern" as zenity filters ("Text | pattern").
std::vector<std::string> ZenityFilters(const std::string& filter, int selected) {
  std::vector<std::string> parts;
  size_t start = 0;
  while (start <= filter.size()) {
    size_t end = filter.find('|', start);
    if (end == std::string::npos) end = filter.size();
    parts.push_back(filter.substr(start, end - start));
    start = end + 1;
  }
  std::vector<std::string> entries;
  for (size_t i = 0; i + 1 < parts.size(); i += 2) {
    std::string patterns = parts[i + 1];
    for (auto& c : patterns)
      if (c == ';') c = ' ';
    entries.push_back("--file-filter=" + parts[i] + " | " + patterns);
  }
  // zenity offers the first filter first: put the selected one there.
  if (selected >= 1 && static_cast<size_t>(selected) <= entries.size()) {
    std::swap(entries[0], entries[selected - 1]);
  }
  return entries;
}

std::optional<std::string> AskForFile(const FileDialogRequest& request, bool save) {
  if (!ZenityAvailable()) {
    std::fprintf(stderr, "%s: no display to show the file dialog on: answered Cancel\n",
                 request.title.empty() ? (save ? "Save As" : "Open") : request.title.c_str());
    return std::nullopt;
  }
  std::vector<std::string> args{"--file-selection"};
  if (save) args.push_back("--save");
  if (save && (request.options & kOfnOverwritePrompt)) args.push_back("--confirm-overwrite");
  if (!request.title.empty()) args.push_back("--title=" + request.title);
  std::string start = request.fileName;
  if (start.empty() || start.front() != '/') {
    start = path::AddTrailingDelimiter(request.initialFolder, path::Style::Posix) + start;
  }
  args.push_back("--filename=" + start);
  for (auto& f : ZenityFilters(request.filter, request.filterIndex)) args.push_back(f);
  auto chosen = RunZenity(args);
  if (!chosen || chosen->empty()) return std::nullopt;
  std::string ext = request.defaultExtension;
  if (!ext.empty() && ext.front() != '.') ext.insert(0, ".");
  std::string name = path::FileNamePart(*chosen, path::Style::Posix);
  if (save && !ext.empty() && name.find('.') == std::string::npos) *chosen += ext;
  return chosen;
}

std::optional<std::string> AskForFolder(const std::string& title) {
  if (!ZenityAvailable()) {
    std::fprintf(stderr, "%s: no display to show the folder chooser on: answered Cancel\n",
                 title.c_str());
    return std::nullopt;
  }
  auto chosen = RunZenity({"--file-selection", "--directory", "--title=" + title});
  if (!chosen || chosen->empty()) return std::nullopt;
  return chosen;
}

class PosixDialogs : public Dialogs {
 public:
  std::optional<std::string> SaveFile(const FileDialogRequest& request) override {
    return AskForFile(request, true);
  }
  std::optional<std::string> OpenFile(const FileDialogRequest& request) override {
    return AskForFile(request, false);
  }
  std::optional<std::string> ChooseFolder(const std::string& title) override {
    return AskForFolder(title);
  }
};

}  // namespace

std::unique_ptr<Dialogs> MakeDialogs() { return std::make_unique<PosixDialogs>(); }

}  // namespace platform::posix
