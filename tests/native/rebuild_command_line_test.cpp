#include "platform/posix/rebuild_command_line.h"

#include <gtest/gtest.h>

#include "platform/error.h"
#include "platform/rules/command_line.h"

namespace {

using Words = std::vector<std::string>;

TEST(RebuildCommandLineTest, SplittingGivesTheWordsBack) {
  const std::string longPath = "/spool/" + std::string(4993, 'j');  // 5,000 characters
  const struct {
    const char* name;
    Words words;
    Words expected;  // what the split gives back
  } cases[] = {
      {"plain", {"/opt/pdfprinter", "/var/spool/00001.SPL", "PPP1:"}, {}},
      {"blanks", {"/opt/pdf printer/p", "/tmp/my job.ps", "PPP1:"}, {}},
      {"control characters",
       {"p",
        "a\tb\nc\x01"
        "d\x1f",
        "e\x7f\xe9"},
       {}},
      {"longer than an unquoted run", {"p", longPath, "PPP1:"}, {}},
      {"exactly the longest run", {"p", std::string(4096, 'x'), "y"}, {}},
      {"backslashes", {"p", "a\\", "\\\\b"}, {}},
      {"empty words are no words, as on Windows", {"p", "", "x", ""}, {"p", "x"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const Words& expected = c.expected.empty() ? c.words : c.expected;
    EXPECT_EQ(platform::SplitCommandLine(platform::posix::RebuildCommandLine(c.words)), expected);
  }
}

TEST(RebuildCommandLineTest, AQuoteInAWordIsAnError) {
  try {
    platform::posix::RebuildCommandLine({"p", "/tmp/say \"hi\".ps", "PPP1:"});
    FAIL() << "no error";
  } catch (const platform::Error& error) {
    EXPECT_NE(error.Message().find("/tmp/say \"hi\".ps"), std::string::npos) << error.Message();
  }
}

}  // namespace
