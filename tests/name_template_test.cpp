// A port's name template: its tokens, and the safe names hostile titles
// give, in the Windows and the POSIX style.
#include "procs/name_template.h"

#include <gtest/gtest.h>

namespace {

using platform::path::Style;

procs::JobDetails Job(const std::string& title) {
  procs::JobDetails job{title, "jo", "DESK", "PDF Printer", "PPP1:", "42"};
  job.when.tm_year = 126, job.when.tm_mon = 11, job.when.tm_mday = 9;  // 2026-12-09
  job.when.tm_hour = 8, job.when.tm_min = 5, job.when.tm_sec = 7, job.when.tm_yday = 342;
  return job;
}

// folders + file name, with "#" in the counter's place.
std::string Expanded(const std::string& nameTemplate, const std::string& title,
                     Style style = Style::Windows, const std::string& folder = "C:\\PDF") {
  const procs::TemplateName name =
      procs::ExpandNameTemplate(nameTemplate, Job(title), folder, style);
  return name.folders + name.prefix +
         (name.counterDigits ? std::string(*name.counterDigits, '#') : "") + name.suffix;
}

TEST(NameTemplateTest, Tokens) {
  const struct {
    const char* nameTemplate;
    const char* name;
  } cases[] = {
      {"<Title>", "Report.pdf"},
      {"<user> <COMPUTER> <Printer> <Port> <JobId>", "jo DESK PDF Printer PPP1_ 42.pdf"},
      {"<Date> <Time>", "2026-12-09 08-05-07.pdf"},
      {"<DateTime:%Y%m%d-%H%M %j %y%% %Q>", "20261209-0805 343 26% %Q.pdf"},
      {"Invoice-<Counter:0000>", "Invoice-####.pdf"},
      {"<Counter> <Title>", "# Report.pdf"},
      {"<Unknown> <Title:x> a<b", "_Unknown_ _Title_x_ a_b.pdf"},
      {"<User>\\<Date>\\<Title>.PDF", "jo\\2026-12-09\\Report.PDF"},
      {"sub/<Title>", "sub\\Report.pdf"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(Expanded(c.nameTemplate, "Report"), c.name) << c.nameTemplate;
}

// No value leaves the save folder or names a device; what Windows cannot
// open is cut, the title first and the extension kept.
TEST(NameTemplateTest, HostileTitlesGiveSafeNamesInTheSaveFolder) {
  const std::string long300(300, 'x');
  const struct {
    const char* what;
    std::string nameTemplate, title;
    Style style;
    std::string name;
  } cases[] = {
      {"parent folders", "<Title>", "..\\..\\x", Style::Windows, ".._.._x.pdf"},
      {"a whole folder of dots", "<Title>\\a", "..", Style::Windows, "untitled\\a.pdf"},
      {"a device", "<Title>", "CON", Style::Windows, "CON_.pdf"},
      {"a device with an extension", "<Title>.txt", "nul", Style::Windows, "nul_.txt.pdf"},
      {"a drive", "<Title>", "a:b", Style::Windows, "a_b.pdf"},
      {"trailing dots and blanks", "<Title>", "end. . ", Style::Windows, "end.pdf"},
      {"control characters", "<Title>", "a\tb\x01", Style::Windows, "a_b_.pdf"},
      {"emoji", "<Title>", "Plan \xF0\x9F\x93\x84", Style::Windows, "Plan \xF0\x9F\x93\x84.pdf"},
      {"empty", "<Title>", "", Style::Windows, "untitled.pdf"},
      {"empty, with the date", "<Title> <Date>", "", Style::Windows, "2026-12-09.pdf"},
      {"300 characters: cut to 259 with room for a number", "<Title> <Date>", long300,
       Style::Windows, std::string(259 - 8 - 7 - 15, 'x') + " 2026-12-09.pdf"},
      {"300 characters, POSIX: 255 bytes a name", "<Title>", long300, Style::Posix,
       std::string(255 - 8 - 4, 'x') + ".pdf"},
      {"a slash, POSIX", "<Title>", "a/../b", Style::Posix, "a_.._b.pdf"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(
        Expanded(c.nameTemplate, c.title, c.style, c.style == Style::Posix ? "/pdf" : "C:\\PDF"),
        c.name)
        << c.what;
  }
}

}  // namespace
