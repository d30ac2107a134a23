#include "platform/rules/command_line.h"

#include <gtest/gtest.h>

namespace {

using Words = std::vector<std::string>;

struct SplitCase {
  const char* name;
  std::string line;
  Words words;
};

TEST(CommandLineTest, SplitsByTheProgramsRules) {
  const std::string longWord(4096, 'a');
  const SplitCase cases[] = {
      {"empty", "", {}},
      {"only blanks", "  \t\r\n ", {}},
      {"program only", "prog.exe", {"prog.exe"}},
      {"monitor line",
       "C:\\PDF\\pdfprinter.exe C:\\spool\\00001.SPL \"PPP1:\"",
       {"C:\\PDF\\pdfprinter.exe", "C:\\spool\\00001.SPL", "PPP1:"}},
      {"control characters separate",
       "a\x01\x02\x1f"
       "b\x7f",
       {"a", "b\x7f"}},
      {"high bytes are word characters", "\xe9t\xe9 \xff", {"\xe9t\xe9", "\xff"}},
      {"quoted blanks kept",
       "p \"C:\\Documents and Settings\\x.ps\"",
       {"p", "C:\\Documents and Settings\\x.ps"}},
      {"joined stretches form one word", "p ab\"c d\"ef", {"p", "abc def"}},
      {"quotes dropped mid word", "p a\"\"b", {"p", "ab"}},
      {"empty quoted word skipped", "p \"\" x", {"p", "x"}},
      {"several empty quoted words", "p \"\"\"\" \"\" x", {"p", "x"}},
      {"unbalanced quote runs to the end", "p \"a b", {"p", "a b"}},
      {"lone quote at the end is the empty word", "p x \"", {"p", "x"}},
      {"backslash is ordinary", "p a\\\"b c\"", {"p", "a\\b c"}},
      {"empty word ends the arguments", "p x \" \"", {"p", "x", " "}},
      {"nul ends the text", std::string("p a\0b", 5), {"p", "a"}},
      {"4096 characters fit one word", "p " + longWord, {"p", longWord}},
      {"an unquoted run is cut at 4096", "p " + longWord + "bc", {"p", longWord, "bc"}},
      {"quoted text is never cut", "p \"" + longWord + "xyz\"", {"p", longWord + "xyz"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(platform::SplitCommandLine(c.line), c.words);
  }
}

TEST(CommandLineTest, TenThousandCharacterWordLosesNothing) {
  std::string word;
  for (int i = 0; i < 10000; ++i) word += static_cast<char>('a' + i % 26);
  Words words = platform::SplitCommandLine("p " + word);
  ASSERT_EQ(words.size(), 4u);  // p, 4096, 4096, 1808
  EXPECT_EQ(words[1].size(), 4096u);
  EXPECT_EQ(words[3].size(), 1808u);
  EXPECT_EQ(words[1] + words[2] + words[3], word);
}

TEST(CommandLineTest, LineOfControlCharactersHasNoWords) {
  std::string line;
  for (int c = 1; c <= 32; ++c) line += static_cast<char>(c);
  EXPECT_TRUE(platform::SplitCommandLine(line + line).empty());
}

TEST(CommandLineTest, ArgumentsSkipTheTypedProgramName) {
  platform::Arguments args("prog x \"PPP2:\"", "C:\\real\\path.exe");
  EXPECT_EQ(args.Get(0), "C:\\real\\path.exe");
  EXPECT_EQ(args.Get(1), "x");
  EXPECT_EQ(args.Get(2), "PPP2:");
  EXPECT_EQ(args.Get(3), "");
  EXPECT_EQ(args.Get(100), "");
  EXPECT_EQ(args.Count(), 2u);
  EXPECT_EQ(platform::Arguments("", "p").Count(), 0u);
}

}  // namespace
