#include "procs/ghostscript/ghostscript_location.h"

#include <algorithm>
#include <functional>
#include <vector>

#include "platform/error.h"
#include "platform/rules/path.h"
#include "platform/services.h"
#include "procs/ghostscript/ghostscript_program.h"
#include "settings/setting_keys.h"
#include "settings/settings_file.h"

namespace procs {

namespace {

// A "GS_DLL" value that is no text: under the AFPL key an error, as the
// registry classes read it; under today's installers' keys it names no file.
enum class NotText { kRaise, kSkip };

// Calls found with each version's name and the folder of its "GS_DLL" file,
// for the versions listed under `key` (in one view) whose file exists, in
// the registry's enumeration order.
void ForEachInstalledVersion(
    const std::string& key, uint32_t view, NotText notText,
    const std::function<void(const std::string& version, const std::string& folder)>& found) {
  auto& services = platform::Current();
  std::vector<std::string> versions;
  if (auto listed = services.registry->OpenKey(key, platform::kKeyRead | view)) {
    versions = listed->SubkeyNames();
  }
  for (const auto& version : versions) {
    auto versionKey = services.registry->OpenKey(key + "\\" + version, platform::kKeyRead | view);
    if (!versionKey) continue;
    const std::string dll =
        notText == NotText::kRaise
            ? platform::ReadRegistryString(*versionKey, kGhostscriptDllValue)
            : platform::ReadRegistryText(*versionKey, kGhostscriptDllValue).value_or("");
    if (!dll.empty() && services.files->FileExists(dll)) {
      found(version, platform::path::FolderPart(dll));
    }
  }
}

// The folder of the last listed AFPL version whose "GS_DLL" file exists.
std::string AfplGhostscriptFolder() {
  std::string candidate;
  ForEachInstalledVersion(
      kAfplGhostscriptKey, 0, NotText::kRaise,
      [&](const std::string&, const std::string& folder) { candidate = folder; });
  return candidate;
}

// The "GS_DLL" folder of the highest registered version of today's
// installers; of equal versions the later found wins.
std::string InstalledGhostscriptFolder() {
  struct Installation {
    std::vector<unsigned long> version;
    std::string folder;
  };
  std::vector<Installation> found;
  for (uint32_t view : {platform::kKeyWow64_32Key, platform::kKeyWow64_64Key}) {
    for (const char* key : {"SOFTWARE\\GPL Ghostscript", "SOFTWARE\\Artifex Ghostscript",
                            "SOFTWARE\\GNU Ghostscript"}) {
      ForEachInstalledVersion(key, view, NotText::kSkip,
                              [&](const std::string& version, const std::string& folder) {
                                found.push_back({VersionNumbers(version), folder});
                              });
    }
  }
  std::stable_sort(found.begin(), found.end(), [](const Installation& a, const Installation& b) {
    return a.version < b.version;
  });
  return found.empty() ? "" : found.back().folder;
}

}  // namespace

std::string FindGhostscriptFolder(Store store) {
  namespace path = platform::path;
  std::string candidate = AfplGhostscriptFolder();

  settings::SettingsFile settingsFile;
  const std::optional<std::string> stored = settingsFile.ReadStoredText(settings::kLocation);
  const std::string saved = stored.value_or("");
  std::string answer;
  if (!GhostscriptProgramIn(path::AddTrailingDelimiter(saved)).empty()) {
    answer = path::RemoveTrailingDelimiter(saved);
  } else if (!candidate.empty() && !GhostscriptProgramIn(candidate).empty()) {
    answer = path::RemoveTrailingDelimiter(candidate);
  } else if (std::string installed = InstalledGhostscriptFolder();
             !installed.empty() && !GhostscriptProgramIn(installed).empty()) {
    answer = path::RemoveTrailingDelimiter(installed);
  }
  if (stored != answer) {
    try {
      settingsFile.WriteText(settings::kLocation, answer);
    } catch (const platform::EIniFileException&) {
      if (store == Store::kRequired) throw;
    }
  }
  return answer;
}

}  // namespace procs
