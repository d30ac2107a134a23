#include <dlfcn.h>
#include <pwd.h>
#include <unistd.h>

#include <cstdlib>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <vector>

#include "platform/posix/posix_backends.h"
#include "platform/posix/private_folder.h"
#include "platform/posix/rebuild_command_line.h"
#include "platform/rules/path.h"

namespace platform::posix {

namespace {

class PosixProcessInfo : public ProcessInfo {
 public:
  std::string ProgramPath() override {
    std::vector<char> buffer(4096);
    ssize_t n = readlink("/proc/self/exe", buffer.data(), buffer.size() - 1);
    return n > 0 ? std::string(buffer.data(), n) : std::string();
  }

  std::string CommandLine() override {
    std::ifstream in("/proc/self/cmdline", std::ios::binary);
    std::string all((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::vector<std::string> words;
    for (size_t start = 0; start < all.size();) {
      size_t end = std::min(all.find('\0', start), all.size());
      words.push_back(all.substr(start, end - start));
      start = end + 1;
    }
    return RebuildCommandLine(words);
  }

  std::string SystemFolder() override { return "/usr/bin"; }
  std::string HomeFolder() override { return posix::HomeFolder(); }
  std::string UserDataFolder() override {
    if (const char* data = std::getenv("XDG_DATA_HOME"); data && data[0] == '/') return data;
    if (std::string home = posix::HomeFolder(); !home.empty()) return home + "/.local/share";
    const char* temporary = std::getenv("TMPDIR");
    return temporary && temporary[0] == '/' ? temporary : "/tmp";
  }
  std::optional<std::string> EnvironmentVariable(const std::string& name) override {
    const char* value = std::getenv(name.c_str());
    if (!value) return std::nullopt;
    return std::string(value);
  }
  std::string UserName() override {
    const passwd* account = ::getpwuid(::geteuid());
    return account && account->pw_name ? account->pw_name : "";
  }
  std::string ComputerName() override {
    char name[256] = {};
    return ::gethostname(name, sizeof name - 1) == 0 ? name : "";
  }
  bool CanBeElevated() override { return false; }

  ModuleLocation ModuleOf(const void* address) override {
    Dl_info info{};
    if (!address || dladdr(address, &info) == 0 || !info.dli_fname) return {};
    std::string file = info.dli_fname;
    if (file.empty()) file = ProgramPath();
    return {path::FileNamePart(file, path::Style::Posix),
            reinterpret_cast<uintptr_t>(address) - reinterpret_cast<uintptr_t>(info.dli_fbase)};
  }
};

}  // namespace

std::unique_ptr<ProcessInfo> MakeProcessInfo() { return std::make_unique<PosixProcessInfo>(); }

}  // namespace platform::posix
