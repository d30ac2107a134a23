#include "app/posix/ghostscript_registry.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>

#include "app/posix/ghostscript_link.h"
#include "platform/rules/registry_tree.h"
#include "procs/ghostscript/ghostscript_location.h"

namespace app {

namespace {

using platform::Registry;
using platform::RegistryKey;
using platform::RegistryValue;

const std::string kGhostscriptKey = procs::kAfplGhostscriptKey;

bool IsProgram(const std::string& path) {
  struct stat st {};
  return stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) && access(path.c_str(), X_OK) == 0;
}

// Folders of the search path that hold an executable "gs", last first.
std::vector<std::string> GhostscriptFolders(const std::string& searchPath) {
  std::vector<std::string> folders;
  size_t start = 0;
  while (start <= searchPath.size()) {
    size_t end = searchPath.find(':', start);
    if (end == std::string::npos) end = searchPath.size();
    std::string folder = searchPath.substr(start, end - start);
    while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
    if (!folder.empty() && folder.front() == '/' && IsProgram(folder + "/gs") &&
        std::find(folders.begin(), folders.end(), folder) == folders.end()) {
      folders.push_back(folder);
    }
    start = end + 1;
  }
  std::reverse(folders.begin(), folders.end());
  return folders;
}

class ReadOnlyKey : public RegistryKey {
 public:
  ReadOnlyKey(std::vector<std::string> subkeys, std::string gsDll)
      : subkeys_(std::move(subkeys)), gsDll_(std::move(gsDll)) {}
  std::vector<std::string> SubkeyNames() override { return subkeys_; }
  std::optional<RegistryValue> ReadValue(const std::string& name) override {
    if (gsDll_.empty() || !platform::SameRegistryName(name, procs::kGhostscriptDllValue))
      return std::nullopt;
    return RegistryValue{platform::kRegSz, gsDll_ + '\0'};
  }
  bool WriteString(const std::string&, const std::string&) override { return false; }
  bool WriteDword(const std::string&, uint32_t) override { return false; }

 private:
  std::vector<std::string> subkeys_;
  std::string gsDll_;
};

class GhostscriptPresentingRegistry : public Registry {
 public:
  GhostscriptPresentingRegistry(Registry& inner, std::string searchPath)
      : inner_(inner), searchPath_(std::move(searchPath)) {}

  std::unique_ptr<RegistryKey> OpenKey(const std::string& path, uint32_t access) override {
    if (access & platform::kKeyWow64_64Key) return nullptr;  // one view only, as the store
    std::string relative = platform::RelativeRegistryPath(path);
    if (platform::SameRegistryName(relative, kGhostscriptKey)) {
      return std::make_unique<ReadOnlyKey>(GhostscriptFolders(searchPath_), "");
    }
    std::string prefix = kGhostscriptKey + "\\";
    if (relative.size() > prefix.size() &&
        platform::SameRegistryName(relative.substr(0, prefix.size()), prefix)) {
      std::string version = relative.substr(prefix.size());
      std::vector<std::string> folders = GhostscriptFolders(searchPath_);
      for (size_t i = 0; i < folders.size(); ++i) {
        if (folders[i] != version) continue;
        return std::make_unique<ReadOnlyKey>(
            std::vector<std::string>{}, GhostscriptLink(folders.size() - i, folders[i] + "/gs"));
      }
      return nullptr;
    }
    return inner_.OpenKey(path, access);
  }

  std::unique_ptr<RegistryKey> CreateKey(const std::string& path, uint32_t access) override {
    return inner_.CreateKey(path, access);
  }

  bool DeleteKeyTree(const std::string& path) override { return inner_.DeleteKeyTree(path); }

 private:
  Registry& inner_;
  std::string searchPath_;
};

}  // namespace

std::unique_ptr<platform::Registry> MakeGhostscriptPresentingRegistry(platform::Registry& inner,
                                                                      std::string searchPath) {
  return std::make_unique<GhostscriptPresentingRegistry>(inner, std::move(searchPath));
}

}  // namespace app
