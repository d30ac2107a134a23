#include "procs/find_ghostscript_folder.h"

#include "platform/path.h"
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

}  // namespace

std::string FindGhostscriptFolder() {
  namespace path = platform::path;
  auto& files = *platform::Current().files;
  std::string candidate = RegistryCandidate();

  settings::SettingsFile settingsFile;
  std::string saved = settingsFile.ReadText("GhostScript", "Location", "");
  std::string answer;
  if (files.FileExists(path::AddTrailingDelimiter(saved) + GhostscriptProgramName())) {
    answer = path::RemoveTrailingDelimiter(saved);
  } else if (!candidate.empty() && files.FileExists(candidate + GhostscriptProgramName())) {
    answer = path::RemoveTrailingDelimiter(candidate);
  }
  settingsFile.WriteText("GhostScript", "Location", answer);
  return answer;
}

}  // namespace procs
