#include "platform/rules/windows_command_line.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using platform::QuoteWindowsArgument;
using platform::SplitWindowsCommandLine;
using Words = std::vector<std::string>;

struct SplitCase {
  const char* text;
  Words words;
};

TEST(WindowsCommandLineTest, SplitsLikeTheCRuntime) {
  const SplitCase cases[] = {
      {"", {""}},
      {"prog", {"prog"}},
      {"prog a b", {"prog", "a", "b"}},
      {"prog  \t a\t\tb  ", {"prog", "a", "b"}},
      // A leading blank ends an empty program name.
      {" prog a", {"", "prog", "a"}},
      // The program name: quotes toggle, backslashes are plain.
      {"\"C:\\Program Files\\gs\\gswin32c.exe\" -q", {"C:\\Program Files\\gs\\gswin32c.exe", "-q"}},
      {"C:\\a\" b\"\\c.exe x", {"C:\\a b\\c.exe", "x"}},
      {"\"C:\\dir\\\" x", {"C:\\dir\\", "x"}},
      {"\"unterminated name", {"unterminated name"}},
      // Later words: quotes group blanks and are dropped.
      {"p \"a b\" c", {"p", "a b", "c"}},
      {"p a\"b c\"d", {"p", "ab cd"}},
      {"p \"\"", {"p", ""}},
      {"p \"\" \"\"", {"p", "", ""}},
      {"p \"open to the end", {"p", "open to the end"}},
      // Backslashes not before a quote are literal.
      {"p a\\b c:\\dir\\ \\\\server\\share", {"p", "a\\b", "c:\\dir\\", "\\\\server\\share"}},
      // 2n backslashes + quote: n backslashes, the quote toggles.
      {"p \"c:\\dir\\\\\" x", {"p", "c:\\dir\\", "x"}},
      {"p a\\\\\\\\\"b c\"", {"p", "a\\\\b c"}},
      // 2n+1 backslashes + quote: n backslashes and a literal quote.
      {"p a\\\"b", {"p", "a\"b"}},
      {"p a\\\\\\\"b c", {"p", "a\\\"b", "c"}},
      {"p \"a \\\" b\"", {"p", "a \" b"}},
      // Two quotes inside a quoted stretch: a literal quote, still quoted.
      {"p \"a\"\"b c\"", {"p", "a\"b c"}},
      {"p \"\"\"a\"\"\"", {"p", "\"a\""}},
      // Outside quotes, two quotes open and close an empty stretch.
      {"p a\"\"b c", {"p", "ab", "c"}},
      // Line breaks do not separate.
      {"p a\nb", {"p", "a\nb"}},
      {"p @\"c:\\gs\\tarnel.rsp\" c:\\spool\\00012.spl",
       {"p", "@c:\\gs\\tarnel.rsp", "c:\\spool\\00012.spl"}},
  };
  for (const SplitCase& c : cases) {
    SCOPED_TRACE(testing::Message() << "command line [" << c.text << "]");
    EXPECT_EQ(SplitWindowsCommandLine(c.text), c.words);
  }
}

TEST(WindowsCommandLineTest, QuotesOnlyWhatNeedsIt) {
  const std::pair<const char*, const char*> cases[] = {
      {"plain", "plain"},
      {"c:\\dir\\file.txt", "c:\\dir\\file.txt"},
      {"c:\\dir\\", "c:\\dir\\"},
      {"", "\"\""},
      {"a b", "\"a b\""},
      {"a\tb", "\"a\tb\""},
      {"c:\\my dir\\", "\"c:\\my dir\\\\\""},
      {"say \"hi\"", "\"say \\\"hi\\\"\""},
      {"a\\\"b", "\"a\\\\\\\"b\""},
  };
  for (const auto& [arg, quoted] : cases) {
    SCOPED_TRACE(testing::Message() << "argument [" << arg << "]");
    EXPECT_EQ(QuoteWindowsArgument(arg), quoted);
  }
}

TEST(WindowsCommandLineTest, QuotedArgumentsSplitBackUnchanged) {
  const std::string args[] = {
      "",
      "x",
      "a b",
      " lead",
      "trail ",
      "\t",
      "\"",
      "\"\"",
      "a\"b",
      "\\",
      "\\\\",
      "a\\",
      "a b\\",
      "a b\\\\",
      "\\\"",
      "a\\\\\"b",
      "c:\\my dir\\",
      "\\\\srv\\share name\\",
      "x\ny",
      "-sOutputFile=\"c:\\out dir\\pdf_01.pdf\"",
  };
  std::string line = "prog";
  Words expected = {"prog"};
  for (const std::string& arg : args) {
    SCOPED_TRACE(testing::Message() << "argument [" << arg << "]");
    EXPECT_EQ(SplitWindowsCommandLine(std::string("prog ") + QuoteWindowsArgument(arg)),
              (Words{"prog", arg}));
    line += ' ';
    line += QuoteWindowsArgument(arg);
    expected.push_back(arg);
  }
  EXPECT_EQ(SplitWindowsCommandLine(line), expected);
}

}  // namespace
