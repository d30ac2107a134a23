// The Windows command-line rules: every word, quoted, splits back to itself.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "fuzz/check.h"
#include "platform/rules/windows_command_line.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);

  // A command line cannot hold a NUL: the input's NUL bytes separate words.
  std::vector<std::string> words(1);
  for (char c : text) {
    if (c == '\0') {
      words.emplace_back();
    } else {
      words.back() += c;
    }
  }
  std::string line = "C:\\Program Files\\gs\\gswin32c.exe";
  std::string quotedLine = "\"" + line + "\"";
  for (const auto& word : words) {
    std::string quoted = platform::QuoteWindowsArgument(word);
    // Unchanged only when nothing needs quoting.
    FUZZ_CHECK(quoted != word ||
               (!word.empty() && word.find_first_of(" \t\n\v\"") == std::string::npos));
    quotedLine += " " + quoted;
  }
  std::vector<std::string> split = platform::SplitWindowsCommandLine(quotedLine);
  FUZZ_CHECK(split.size() == words.size() + 1);
  FUZZ_CHECK(split[0] == line);
  for (size_t i = 0; i < words.size(); ++i) FUZZ_CHECK(split[i + 1] == words[i]);

  // Any text splits into a program name without quotes, and later words.
  std::vector<std::string> any = platform::SplitWindowsCommandLine(words[0]);
  FUZZ_CHECK(!any.empty());
  FUZZ_CHECK(any[0].find('"') == std::string::npos);
  return 0;
}
