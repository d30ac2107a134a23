#include <dlfcn.h>
#include <unistd.h>

#include <fstream>
#include <iterator>
#include <vector>

#include "platform/path.h"
#include "platform/posix/posix_backends.h"

namespace platform::posix {

namespace {

// Linux has no raw command line: rebuild one from argv that the program's
// splitting rules turn back into the same words.
std::string QuoteForSplitting(const std::string& word) {
  bool needsQuotes = word.empty();
  for (unsigned char c : word) needsQuotes = needsQuotes || c <= ' ';
  std::string clean;
  for (char c : word)
    if (c != '"') clean += c;  // a quote can never be part of a word
  return needsQuotes ? "\"" + clean + "\"" : clean;
}

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
    std::string line;
    size_t start = 0;
    while (start < all.size()) {
      size_t end = all.find('\0', start);
      if (end == std::string::npos) end = all.size();
      if (!line.empty()) line += ' ';
      line += QuoteForSplitting(all.substr(start, end - start));
      start = end + 1;
    }
    return line;
  }

  std::string SystemFolder() override { return "/usr/bin"; }

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
