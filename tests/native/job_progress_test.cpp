// A long job's progress through the progress-window seam, natively with the
// real Ghostscript: the pages it reports as it finishes them, and Cancel.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <regex>

#include "platform/error.h"
#include "platform/fake/fake_desktop.h"
#include "platform/fake/fake_process_info.h"
#include "platform/fake/fake_progress_windows.h"
#include "platform/services.h"
#include "procs/convert_print_job.h"
#include "procs/user_data.h"
#include "support/installed_program.h"
#include "support/scratch_dir.h"

namespace {

namespace fs = std::filesystem;
using testing_support::ReadBytes;
using testing_support::RunShell;
using testing_support::WriteBytes;

// Pages that take Ghostscript a millisecond or so each, in a document that
// sets an /EndPage of its own first (which would replace one set before).
std::string ManyPages(int pages) {
  return "%!PS\n<< /EndPage { exch pop 2 ne } >> setpagedevice\n/Helvetica 20 selectfont\n1 1 " +
         std::to_string(pages) +
         " {\n  72 700 moveto (Page ) show 20 string cvs show\n"
         "  0 1 600 { dup 72 add 100 moveto 500 lineto } for stroke\n  showpage\n} for\n";
}

std::vector<long> PagesShown(const std::vector<platform::fake::ProgressUpdate>& updates) {
  std::vector<long> pages;
  const std::regex done("^(\\d+) pages? done - \\d+:\\d\\d$");
  for (const auto& update : updates) {
    std::smatch match;
    if (std::regex_match(update.status, match, done)) pages.push_back(std::stol(match[1]));
  }
  return pages;
}

TEST(JobProgress, PagesRiseAsGhostscriptFinishesThemAndCancelEndsEverything) {
  if (RunShell("command -v gs").exitCode != 0) GTEST_SKIP() << "Ghostscript missing";
  struct {
    const char* name;
    long cancelAt;  // 0: never
  } cases[] = {{"to the end", 0}, {"cancelled", 100}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    testing_support::ScratchDir dir;
    const std::string out = dir.File("out"), run = dir.File("run"), gs = dir.File("gs");
    fs::create_directories(run);
    fs::permissions(run, fs::perms::owner_all);
    fs::create_directories(gs);
    fs::create_symlink("/usr/bin/gs", gs + "/gs");
    WriteBytes(dir.File("pdfprinter.ini"), "[GhostScript]\r\nLocation=" + gs +
                                               "\r\n[PPP1:]\r\nSaveType=1\r\nShowPDF=0\r\n"
                                               "SaveToFolder=" +
                                               out + "\r\n");
    const std::string spool = dir.File("long-job.ps");
    WriteBytes(spool, ManyPages(2000));
    ::setenv("XDG_RUNTIME_DIR", run.c_str(), 1);

    platform::fake::FakeProcessInfo info(dir.File("pdfprinter"), "pdfprinter " + spool + " PPP1:");
    info.userDataFolder = dir.File("data");
    platform::fake::FakeDesktop desktop;
    platform::fake::FakeProgressWindows windows;
    windows.cancelWhen = [&](const std::vector<platform::fake::ProgressUpdate>& updates) {
      const auto pages = PagesShown(updates);
      return c.cancelAt && !pages.empty() && pages.back() >= c.cancelAt;
    };
    platform::ScopedServices scope(
        {.processInfo = &info, .desktop = &desktop, .progressWindows = &windows});

    int exitCode = -1;
    try {
      EXPECT_TRUE(procs::ConvertPrintJob(spool, platform::ProgramArguments()));
    } catch (const platform::ExitWithCode& exit) {
      exitCode = exit.code;
    }
    ASSERT_EQ(windows.opened.size(), 1u);
    EXPECT_EQ(windows.opened[0].subject, "long-job.ps");  // no title: the spool file's name
    EXPECT_TRUE(windows.opened[0].closed);
    const std::vector<long> pages = PagesShown(windows.opened[0].updates);
    ASSERT_GE(pages.size(), 2u);
    EXPECT_TRUE(std::is_sorted(pages.begin(), pages.end()));
    EXPECT_LT(pages.front(), pages.back());
    const std::string log = ReadBytes(procs::JobLogPath());
    if (c.cancelAt) {
      EXPECT_EQ(exitCode, 0);
      EXPECT_GE(pages.back(), c.cancelAt);
      EXPECT_LT(pages.back(), 2000);
      EXPECT_FALSE(fs::exists(out) && !fs::is_empty(out));
      EXPECT_TRUE(fs::is_empty(run));
      // ("[l]" keeps the pattern from matching pgrep's own shell.)
      EXPECT_NE(RunShell("pgrep -f '[l]ong-job.ps'").exitCode, 0) << "Ghostscript still runs";
      EXPECT_NE(log.find("\tcancelled\t"), std::string::npos) << log;
    } else {
      EXPECT_EQ(exitCode, -1);
      EXPECT_TRUE(fs::exists(out + "/pdf_01.pdf"));
      EXPECT_NE(log.find("(2000 pages)"), std::string::npos) << log;
    }
    ::unsetenv("XDG_RUNTIME_DIR");
  }
}

}  // namespace
