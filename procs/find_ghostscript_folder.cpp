#include "procs/find_ghostscript_folder.h"

#include <algorithm>
#include <cctype>
#include <vector>

#include "platform/error.h"
#include "platform/rules/path.h"
#include "platform/services.h"
#include "procs/outside_programs.h"
#include "settings/settings_file.h"

namespace procs {

namespace {

const char kGhostscriptKey[] = "SOFTWARE\\AFPL Ghostscript";

// The folder part of the last listed version whose "GS_DLL" file exists.
std::string RegistryCandidate() {
  auto& services = platform::Current();
  std::vector<std::string> versions;
  if (auto key = services.registry->OpenKey(kGhostscriptKey, platform::kKeyRead)) {
    versions = key->SubkeyNames();
  }
  std::string candidate;
  for (const auto& version : versions) {
    auto key = services.registry->OpenKey(std::string(kGhostscriptKey) + "\\" + version,
                                          platform::kKeyRead);
    if (!key) continue;
    std::string dll = platform::ReadRegistryString(*key, "GS_DLL");
    if (!dll.empty() && services.files->FileExists(dll)) {
      candidate = platform::path::FolderPart(dll);
    }
  }
  return candidate;
}

struct Installation {
  std::vector<unsigned long> version;
  std::string folder;
};

// The versions under `key` in one view whose "GS_DLL" file exists.
void CollectInstallations(const std::string& key, uint32_t view, std::vector<Installation>& found) {
  auto& services = platform::Current();
  auto versions = services.registry->OpenKey(key, platform::kKeyRead | view);
  if (!versions) return;
  for (const auto& name : versions->SubkeyNames()) {
    auto version = services.registry->OpenKey(key + "\\" + name, platform::kKeyRead | view);
    if (!version) continue;
    auto value = version->ReadValue("GS_DLL");
    if (!value || (value->type != platform::kRegSz && value->type != platform::kRegExpandSz)) {
      continue;
    }
    std::string dll = platform::RegistryText(*value);
    if (!dll.empty() && services.files->FileExists(dll)) {
      found.push_back({VersionNumbers(name), platform::path::FolderPart(dll)});
    }
  }
}

// The "GS_DLL" folder of the highest registered version of today's
// installers; of equal versions the later found wins.
std::string InstalledGhostscriptFolder() {
  std::vector<Installation> found;
  for (uint32_t view : {platform::kKeyWow64_32Key, platform::kKeyWow64_64Key}) {
    for (const char* key : {"SOFTWARE\\GPL Ghostscript", "SOFTWARE\\Artifex Ghostscript",
                            "SOFTWARE\\GNU Ghostscript"}) {
      CollectInstallations(key, view, found);
    }
  }
  std::stable_sort(found.begin(), found.end(), [](const Installation& a, const Installation& b) {
    return a.version < b.version;
  });
  return found.empty() ? "" : found.back().folder;
}

}  // namespace

std::vector<unsigned long> VersionNumbers(const std::string& version) {
  std::vector<unsigned long> numbers;
  size_t start = 0;
  while (start <= version.size()) {
    size_t end = std::min(version.find('.', start), version.size());
    unsigned long number = 0;
    for (size_t i = start; i < end && std::isdigit(static_cast<unsigned char>(version[i])); ++i) {
      number = std::min(number * 10 + static_cast<unsigned long>(version[i] - '0'), 99999999UL);
    }
    numbers.push_back(number);
    start = end + 1;
  }
  while (!numbers.empty() && numbers.back() == 0) numbers.pop_back();
  return numbers;
}

std::string GhostscriptProgramIn(const std::string& folder) {
  auto& files = *platform::Current().files;
  for (const std::string& name : procs::GhostscriptProgramNames()) {
    if (files.FileExists(folder + name)) return name;
  }
  return "";
}

std::string FindGhostscriptFolder(Store store) {
  namespace path = platform::path;
  std::string candidate = RegistryCandidate();

  settings::SettingsFile settingsFile;
  // No value read can hold a line break: this tells an absent key.
  const std::string absent = "\r\n";
  const std::string stored = settingsFile.ReadText("GhostScript", "Location", absent);
  const std::string saved = stored == absent ? "" : stored;
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
      settingsFile.WriteText("GhostScript", "Location", answer);
    } catch (const platform::EIniFileException&) {
      if (store == Store::kRequired) throw;
    }
  }
  return answer;
}

}  // namespace procs
