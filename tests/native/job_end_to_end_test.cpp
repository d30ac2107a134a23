// The native program converting real PostScript with the real Ghostscript,
// checked with poppler's pdfinfo and pdftotext.
#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <thread>

#include "support/installed_program.h"
#include "support/scratch_dir.h"

namespace {

namespace fs = std::filesystem;
using testing_support::ReadBytes;
using testing_support::RunShell;
using testing_support::ShellQuote;
using testing_support::WriteBytes;

std::string DataFile(const std::string& name) {
  return std::string(PDFPRINTER_SOURCE_DIR) + "/tests/data/" + name;
}

class JobEndToEnd : public ::testing::Test {
 protected:
  void SetUp() override {
    if (RunShell("command -v gs && command -v pdfinfo").exitCode != 0) {
      GTEST_SKIP() << "Ghostscript or poppler-utils missing: run scripts/setup.sh";
    }
    fs::create_directories(appFolder);
    fs::copy_file(PDFPRINTER_EXE, program);
    fs::create_directories(gsFolder);
    fs::create_symlink(RunShell("command -v gs").output.substr(0, RunShell("command -v gs").output.find('\n')),
                       gsFolder + "/gs");
    fs::create_directories(outFolder);
  }

  // Runs a job the way the port monitor does, without a desktop (no
  // DISPLAY), with a search path that holds no other Ghostscript.
  testing_support::CommandResult Job(const std::string& spool, const std::string& port = "PPP1:") {
    return RunShell("env -u DISPLAY -u WAYLAND_DISPLAY PATH=/usr/bin:/bin " + ShellQuote(program) +
                    " " + ShellQuote(spool) + " '\"" + port + "\"'");
  }
  void WriteSettings(const std::string& text) { WriteBytes(appFolder + "/pdfprinter.ini", text); }
  std::string PortSection(int saveType, int showPdf) {
    return "[GhostScript]\r\nLocation=" + gsFolder + "\r\n[PPP1:]\r\nSaveType=" +
           std::to_string(saveType) + "\r\nShowPDF=" + std::to_string(showPdf) +
           "\r\nSaveToFolder=" + outFolder + "\r\n";
  }
  int Pages(const std::string& pdf) {
    auto info = RunShell("pdfinfo " + ShellQuote(pdf));
    auto at = info.output.find("Pages:");
    return info.exitCode == 0 && at != std::string::npos ? std::stoi(info.output.substr(at + 6))
                                                         : -1;
  }
  std::string Text(const std::string& pdf) {
    return RunShell("pdftotext " + ShellQuote(pdf) + " -").output;
  }

  testing_support::ScratchDir dir;
  std::string appFolder = dir.File("Program Files/PDF Printer");
  std::string program = appFolder + "/pdfprinter";
  std::string gsFolder = dir.File("gs/gs10/bin");
  std::string outFolder = dir.File("My PDFs");
};

TEST_F(JobEndToEnd, AutomaticNamesHoldTheConvertedPages) {
  WriteSettings(PortSection(1, 0));
  auto first = Job(DataFile("multipage.ps"));
  ASSERT_EQ(first.exitCode, 0) << first.output;
  auto second = Job(DataFile("pjl_job.prn"));
  ASSERT_EQ(second.exitCode, 0) << second.output;

  EXPECT_EQ(Pages(outFolder + "/pdf_01.pdf"), 3);
  std::string text = Text(outFolder + "/pdf_01.pdf");
  EXPECT_NE(text.find("First page: quarterly report"), std::string::npos) << text;
  EXPECT_NE(text.find("Third page: golf hotel india"), std::string::npos) << text;
  EXPECT_EQ(Pages(outFolder + "/pdf_02.pdf"), 1);
  EXPECT_NE(Text(outFolder + "/pdf_02.pdf").find("Printed through the PJL header"),
            std::string::npos);

  std::string response = ReadBytes(gsFolder + "/tarnel.rsp");
  EXPECT_NE(response.find(" -sOutputFile=\"" + outFolder + "/pdf_02.pdf\"\r\n -c save pop\r\n"),
            std::string::npos)
      << response;
  std::string ini = ReadBytes(appFolder + "/pdfprinter.ini");
  EXPECT_NE(ini.find("LastInputFile=" + DataFile("pjl_job.prn")), std::string::npos) << ini;
}

TEST_F(JobEndToEnd, GhostscriptOnTheSearchPathNeedsNoSetUp) {
  WriteSettings("[PPP1:]\r\nSaveType=1\r\nShowPDF=0\r\nSaveToFolder=" + outFolder + "\r\n");
  auto result = RunShell("env -u DISPLAY PATH=" + ShellQuote(gsFolder + ":/usr/bin:/bin") + " " +
                         ShellQuote(program) + " " + ShellQuote(DataFile("multipage.ps")) +
                         " PPP1:");
  ASSERT_EQ(result.exitCode, 0) << result.output;
  EXPECT_EQ(Pages(outFolder + "/pdf_01.pdf"), 3);
  EXPECT_NE(ReadBytes(appFolder + "/pdfprinter.ini").find("Location=" + gsFolder + "\r\n"),
            std::string::npos);
}

TEST_F(JobEndToEnd, MissingGhostscriptWithoutDesktopAnswersCancel) {
  WriteSettings("[GhostScript]\r\nLocation=" + dir.File("nowhere") + "\r\n");
  auto result = RunShell("env -u DISPLAY PATH=/nonexistent " + ShellQuote(program) + " " +
                         ShellQuote(DataFile("multipage.ps")) + " PPP1:");
  EXPECT_EQ(result.exitCode, 0) << result.output;
  EXPECT_NE(result.output.find("Error: Cannot find /gs - please install/locate..."),
            std::string::npos)
      << result.output;
  EXPECT_EQ(ReadBytes(appFolder + "/pdfprinter.ini").find("LastInputFile"), std::string::npos);
}

TEST_F(JobEndToEnd, UnwritableSettingsFileEndsWithApplicationError) {
  fs::create_directory(appFolder + "/pdfprinter.ini");  // no one can write it, root included
  auto result = Job(DataFile("multipage.ps"));
  EXPECT_EQ(result.exitCode, 1) << result.output;
  EXPECT_NE(result.output.find("Application Error: Exception EIniFileException in module "
                               "pdfprinter at "),
            std::string::npos)
      << result.output;
  EXPECT_NE(result.output.find("Unable to write to " + appFolder + "/pdfprinter.ini."),
            std::string::npos)
      << result.output;
  EXPECT_FALSE(fs::exists(gsFolder + "/tarnel.rsp"));
  EXPECT_TRUE(fs::is_empty(outFolder));
}

TEST_F(JobEndToEnd, GhostscriptFailureIsReportedWithExitCodeOne) {
  WriteSettings(PortSection(1, 1));
  WriteBytes(dir.File("broken.ps"), "%!PS\n/undefinedthing load\n");
  auto result = Job(dir.File("broken.ps"));
  EXPECT_EQ(result.exitCode, 1) << result.output;
  EXPECT_NE(result.output.find("Ghostscript could not create " + outFolder + "/pdf_01.pdf"),
            std::string::npos)
      << result.output;
}

TEST_F(JobEndToEnd, TwentyJobsAtOnceEachGetTheirOwnNumber) {
  WriteSettings(PortSection(1, 0));
  std::vector<std::string> inputs;
  for (int n = 1; n <= 20; ++n) {
    std::string ps = dir.File("job" + std::to_string(n) + ".ps");
    WriteBytes(ps, "%!PS\n/Helvetica findfont 20 scalefont setfont\n72 700 moveto (Job number " +
                       std::to_string(n) + " end) show showpage\n");
    inputs.push_back(ps);
  }
  std::vector<testing_support::CommandResult> results(20);
  std::vector<std::thread> jobs;
  for (int i = 0; i < 20; ++i) jobs.emplace_back([&, i] { results[i] = Job(inputs[i]); });
  for (auto& t : jobs) t.join();
  for (int i = 0; i < 20; ++i) EXPECT_EQ(results[i].exitCode, 0) << results[i].output;

  std::set<std::string> seen;
  for (int n = 1; n <= 20; ++n) {
    std::string pdf = outFolder + "/pdf_" + (n < 10 ? "0" : "") + std::to_string(n) + ".pdf";
    SCOPED_TRACE(pdf);
    EXPECT_EQ(Pages(pdf), 1);
    std::string text = Text(pdf);
    auto at = text.find("Job number ");
    ASSERT_NE(at, std::string::npos) << text;
    seen.insert(text.substr(at, text.find(" end", at) - at));
  }
  EXPECT_EQ(seen.size(), 20u);
  EXPECT_FALSE(fs::exists(outFolder + "/pdf_21.pdf"));
}

}  // namespace
