// The program's command-line splitting, and the POSIX layer's rebuild of a
// command line from argv: split(rebuild(words)) gives the words back.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "fuzz/check.h"
#include "platform/error.h"
#include "platform/posix/rebuild_command_line.h"
#include "platform/rules/command_line.h"

namespace {

using Words = std::vector<std::string>;

Words NonEmpty(const Words& words) {
  Words kept;
  for (const auto& word : words)
    if (!word.empty()) kept.push_back(word);
  return kept;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);

  // The input as a raw command line.
  const Words words = platform::SplitCommandLine(text);
  for (const auto& word : words) {
    FUZZ_CHECK(!word.empty());
    FUZZ_CHECK(word.find('"') == std::string::npos);
    FUZZ_CHECK(word.find('\0') == std::string::npos);
  }
  FUZZ_CHECK(platform::SplitCommandLine(platform::posix::RebuildCommandLine(words)) == words);

  // The input as argv: words between NUL bytes.
  Words argv(1);
  for (char c : text) {
    if (c == '\0') {
      argv.emplace_back();
    } else {
      argv.back() += c;
    }
  }
  bool representable = text.find('"') == std::string::npos;
  try {
    const std::string line = platform::posix::RebuildCommandLine(argv);
    FUZZ_CHECK(representable);
    FUZZ_CHECK(platform::SplitCommandLine(line) == NonEmpty(argv));
  } catch (const platform::Error&) {
    FUZZ_CHECK(!representable);
  }
  return 0;
}
