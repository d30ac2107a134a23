#include "platform/rules/command_line.h"

namespace platform {

namespace {

unsigned char At(const std::string& text, size_t i) {
  return i < text.size() ? static_cast<unsigned char>(text[i]) : 0;
}

}  // namespace

std::vector<std::string> SplitCommandLine(const std::string& commandLine) {
  // A NUL ends the text, as it does for the system's command line.
  const std::string text = commandLine.substr(0, commandLine.find('\0'));
  std::vector<std::string> words;
  size_t i = 0;
  for (;;) {
    for (;;) {
      while (At(text, i) != 0 && At(text, i) <= ' ') ++i;
      if (At(text, i) == '"' && At(text, i + 1) == '"') {
        i += 2;  // an empty quoted word never counts
      } else {
        break;
      }
    }
    std::string word;
    while (At(text, i) > ' ') {
      if (At(text, i) == '"') {
        ++i;
        while (At(text, i) != 0 && At(text, i) != '"') word += text[i++];
        if (At(text, i) == '"') ++i;
      } else {
        if (word.size() >= kMaxWordLength) break;
        word += text[i++];
      }
    }
    if (word.empty()) break;
    words.push_back(std::move(word));
  }
  return words;
}

std::string QuoteArgument(const std::string& word) { return '"' + word + '"'; }

Arguments::Arguments(const std::string& commandLine, std::string programPath)
    : words_(SplitCommandLine(commandLine)), programPath_(std::move(programPath)) {}

std::string Arguments::Get(size_t n) const {
  if (n == 0) return programPath_;
  return n < words_.size() ? words_[n] : std::string();
}

}  // namespace platform
