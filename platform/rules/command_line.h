// The program's own command-line rules: how the raw command line becomes
// its arguments. There is no escape character; a double quote is never part
// of an argument. (How a started child's C runtime splits its command line
// is another rule: windows_command_line.h.)
#pragma once

#include <string>
#include <vector>

namespace platform {

// Longest unquoted run a word may have; the rest starts the next word.
constexpr size_t kMaxWordLength = 4096;

// Splits the raw command line into its words, up to (not including) the
// first empty word. Word 0 is the program name as the caller typed it.
// Quoted stretches are never cut (nothing is lost); an unquoted character
// that meets a word of kMaxWordLength characters starts the next word.
std::vector<std::string> SplitCommandLine(const std::string& commandLine);

// `word` in double quotes: SplitCommandLine gives it back unchanged as one
// word, whatever it holds but a double quote, which no command line can pass
// in a word (a backslash is an ordinary character here).
std::string QuoteArgument(const std::string& word);

// Argument n of a command line: n = 0 is programPath (never taken from the
// command line), n >= 1 is word n; "" beyond the last word.
class Arguments {
 public:
  Arguments(const std::string& commandLine, std::string programPath);
  std::string Get(size_t n) const;
  // Number of words after the first one.
  size_t Count() const { return words_.empty() ? 0 : words_.size() - 1; }

 private:
  std::vector<std::string> words_;
  std::string programPath_;
};

}  // namespace platform
