#include "platform/rules/windows_command_line.h"

namespace platform {

namespace {

bool IsSeparator(char c) { return c == ' ' || c == '\t'; }

}  // namespace

std::vector<std::string> SplitWindowsCommandLine(const std::string& text) {
  std::vector<std::string> words(1);
  size_t i = 0;
  const size_t n = text.size();

  bool inQuotes = false;
  for (; i < n && (inQuotes || !IsSeparator(text[i])); ++i) {
    if (text[i] == '"')
      inQuotes = !inQuotes;
    else
      words[0] += text[i];
  }

  for (;;) {
    while (i < n && IsSeparator(text[i])) ++i;
    if (i >= n) break;
    std::string word;
    inQuotes = false;
    while (i < n && (inQuotes || !IsSeparator(text[i]))) {
      size_t backslashes = 0;
      while (i < n && text[i] == '\\') {
        ++backslashes;
        ++i;
      }
      if (i < n && text[i] == '"') {
        word.append(backslashes / 2, '\\');
        if (backslashes % 2 == 1) {
          word += '"';
        } else if (inQuotes && i + 1 < n && text[i + 1] == '"') {
          word += '"';
          ++i;
        } else {
          inQuotes = !inQuotes;
        }
        ++i;
      } else {
        word.append(backslashes, '\\');
        if (i < n && (inQuotes || !IsSeparator(text[i]))) word += text[i++];
      }
    }
    words.push_back(std::move(word));
  }
  return words;
}

std::string QuoteWindowsPath(const std::string& path) {
  std::string quoted = "\"";
  size_t backslashes = 0;
  for (char c : path) {
    if (c == '\\') {
      ++backslashes;
      continue;
    }
    // Backslashes count double only before a quote.
    quoted.append(c == '"' ? 2 * backslashes + 1 : backslashes, '\\');
    backslashes = 0;
    quoted += c;
  }
  quoted.append(2 * backslashes, '\\');
  return quoted + "\"";
}

std::string QuoteWindowsArgument(const std::string& arg) {
  if (!arg.empty() && arg.find_first_of(" \t\n\v\"") == std::string::npos) return arg;
  return QuoteWindowsPath(arg);
}

}  // namespace platform
