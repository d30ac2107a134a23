// The native program converting real PostScript with the real Ghostscript,
// checked with poppler's pdfinfo and pdftotext.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <regex>
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
    fs::create_symlink(
        RunShell("command -v gs").output.substr(0, RunShell("command -v gs").output.find('\n')),
        gsFolder + "/gs");
    fs::create_directories(outFolder);
    fs::create_directories(runFolder);
    fs::permissions(runFolder, fs::perms::owner_all);
  }

  // A job the way the port monitor runs it (the shell drops the port name's
  // quotes, as the Windows rules do), without a desktop (no DISPLAY),
  // with a search path that holds no other Ghostscript, and the test's own
  // runtime and cache folders.
  std::string JobCommand(const std::string& spool, const std::string& port = "PPP1:") {
    return "env -u DISPLAY -u WAYLAND_DISPLAY PATH=/usr/bin:/bin XDG_RUNTIME_DIR=" +
           ShellQuote(runFolder) + " XDG_CACHE_HOME=" + ShellQuote(cacheFolder) +
           " XDG_DATA_HOME=" + ShellQuote(dataFolder) + " " + ShellQuote(program) + " " +
           ShellQuote(spool) + " \"" + port + "\"";
  }
  testing_support::CommandResult Job(const std::string& spool, const std::string& port = "PPP1:") {
    return RunShell(JobCommand(spool, port));
  }
  // Runs a shell script with a /tmp of its own (a private mount namespace),
  // so that what it plants there cannot disturb anything else on the machine.
  testing_support::CommandResult WithPrivateTmp(const std::string& script) {
    std::string scratch = ShellQuote(dir.Path());
    return RunShell("unshare -m sh -c " +
                    ShellQuote("exec 3<" + scratch + " && mount -t tmpfs none /tmp && mkdir -p " +
                               scratch + " && mount -c --bind /proc/self/fd/3 " + scratch +
                               " || exit 99\n" + script));
  }
  // A fast Ghostscript stand-in: copies the input to the response file's
  // output path.
  void InstallStandInGhostscript() {
    fs::remove(gsFolder + "/gs");
    WriteBytes(gsFolder + "/gs",
               "#!/bin/sh\nout=$(sed -n 's/^ -sOutputFile=\"\\(.*\\)\"\r$/\\1/p' \"${1#@}\")\n"
               "exec cp \"$3\" \"$out\"\n");
    fs::permissions(gsFolder + "/gs", fs::perms::owner_all);
  }
  std::string PsJob(const std::string& name, const std::string& text) {
    // Ends as a PDF ends, so that the stand-in's copy passes for a whole one.
    WriteBytes(dir.File(name), "%!PS\n/Helvetica findfont 20 scalefont setfont\n72 700 moveto (" +
                                   text + ") show showpage\n%%EOF\n");
    return dir.File(name);
  }
  static unsigned Mode(const std::string& path) {
    struct stat st {};
    return lstat(path.c_str(), &st) == 0 ? st.st_mode & 07777 : 0;
  }
  void WriteSettings(const std::string& text) { WriteBytes(appFolder + "/pdfprinter.ini", text); }
  std::string PortSection(int saveType, int showPdf, const std::string& saveFolder = "",
                          const std::string& location = "") {
    return "[GhostScript]\r\nLocation=" + (location.empty() ? gsFolder : location) +
           "\r\n[PPP1:]\r\nSaveType=" + std::to_string(saveType) +
           "\r\nShowPDF=" + std::to_string(showPdf) +
           "\r\nSaveToFolder=" + (saveFolder.empty() ? outFolder : saveFolder) + "\r\n";
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
  std::string runFolder = dir.File("run");
  std::string cacheFolder = dir.File("cache");
  std::string dataFolder = dir.File("data");
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

  // The jobs' response files and Ghostscript's output went into the user's
  // runtime folder, and are gone.
  EXPECT_TRUE(fs::is_empty(runFolder));
  EXPECT_EQ(std::distance(fs::directory_iterator(gsFolder), fs::directory_iterator()), 1);
  std::string ini = ReadBytes(appFolder + "/pdfprinter.ini");
  EXPECT_NE(ini.find("LastInputFile=" + DataFile("pjl_job.prn")), std::string::npos) << ini;
}

TEST_F(JobEndToEnd, GhostscriptOnTheSearchPathIsReachedThroughAFolderOfTheUsersOwn) {
  WriteSettings("[PPP1:]\r\nSaveType=1\r\nShowPDF=0\r\nSaveToFolder=" + outFolder + "\r\n");
  auto result =
      RunShell("env -u DISPLAY XDG_CACHE_HOME=" + ShellQuote(cacheFolder) + " XDG_DATA_HOME=" +
               ShellQuote(dataFolder) + " PATH=" + ShellQuote(gsFolder + ":/usr/bin:/bin") + " " +
               ShellQuote(program) + " " + ShellQuote(DataFile("multipage.ps")) + " PPP1:");
  ASSERT_EQ(result.exitCode, 0) << result.output;
  EXPECT_EQ(Pages(outFolder + "/pdf_01.pdf"), 3);
  // Ghostscript is reached through there; the job writes into neither folder.
  const std::string own = cacheFolder + "/pdfprinter/ghostscript/1/bin";
  EXPECT_NE(ReadBytes(appFolder + "/pdfprinter.ini").find("Location=" + own + "\r\n"),
            std::string::npos);
  EXPECT_EQ(fs::read_symlink(own + "/gs"), gsFolder + "/gs");
  EXPECT_EQ(std::distance(fs::directory_iterator(own), fs::directory_iterator()), 1);
  EXPECT_EQ(std::distance(fs::directory_iterator(gsFolder), fs::directory_iterator()), 1);
  EXPECT_EQ(Mode(cacheFolder + "/pdfprinter"), 0700u);
  EXPECT_EQ(Mode(own), 0700u);
}

TEST_F(JobEndToEnd, APrivateFolderThatIsALinkIsRefused) {
  WriteSettings("[PPP1:]\r\nSaveType=1\r\nShowPDF=0\r\nSaveToFolder=" + outFolder + "\r\n");
  fs::create_directories(cacheFolder);
  fs::create_directory_symlink(outFolder, cacheFolder + "/pdfprinter");
  auto result =
      RunShell("env -u DISPLAY XDG_CACHE_HOME=" + ShellQuote(cacheFolder) + " XDG_DATA_HOME=" +
               ShellQuote(dataFolder) + " PATH=" + ShellQuote(gsFolder + ":/usr/bin:/bin") + " " +
               ShellQuote(program) + " " + ShellQuote(DataFile("multipage.ps")) + " PPP1:");
  EXPECT_EQ(result.exitCode, 1) << result.output;
  EXPECT_NE(
      result.output.find("Cannot use the folder " + cacheFolder + "/pdfprinter: it is a link"),
      std::string::npos)
      << result.output;
  EXPECT_TRUE(fs::is_empty(outFolder));
}

// Without a display no one could answer: the failure is logged and the job
// ends with exit code 1.
TEST_F(JobEndToEnd, MissingGhostscriptWithoutDesktopIsLoggedAndEndsWithOne) {
  WriteSettings("[GhostScript]\r\nLocation=" + dir.File("nowhere") + "\r\n");
  auto result =
      RunShell("env -u DISPLAY PATH=/nonexistent XDG_DATA_HOME=" + ShellQuote(dataFolder) + " " +
               ShellQuote(program) + " " + ShellQuote(DataFile("multipage.ps")) + " PPP1:");
  EXPECT_EQ(result.exitCode, 1) << result.output;
  EXPECT_NE(result.output.find("PDF Printer: Cannot find /gs - please install/locate..."),
            std::string::npos)
      << result.output;
  EXPECT_EQ(ReadBytes(appFolder + "/pdfprinter.ini").find("LastInputFile"), std::string::npos);
}

// A job needs nothing written in the program's folder: a settings file it
// cannot write stops no print (its record of the spool file is lost).
TEST_F(JobEndToEnd, AnUnwritableSettingsFileStopsNoPrint) {
  WriteSettings(PortSection(1, 0));
  // The program's folder read-only, even for root: a bind mount of its own.
  const std::string app = ShellQuote(appFolder);
  auto result = RunShell("unshare -m sh -c " +
                         ShellQuote("mount --bind " + app + " " + app +
                                    " && mount -o remount,bind,ro " + app + " " + app +
                                    " || exit 99\n" + JobCommand(DataFile("multipage.ps"))));
  ASSERT_NE(result.exitCode, 99) << "no read-only mount (unshare, mount): " << result.output;
  EXPECT_EQ(result.exitCode, 0) << result.output;
  EXPECT_EQ(Pages(outFolder + "/pdf_01.pdf"), 3);
  EXPECT_EQ(ReadBytes(appFolder + "/pdfprinter.ini"), PortSection(1, 0));
}

// A failed conversion is reported and leaves nothing at the output path:
// not the pages made before the PostScript failed, not what Ghostscript made
// of junk, not a file cut short by a full disk (which Ghostscript 10 ends
// with exit code 0).
TEST_F(JobEndToEnd, AFailedJobIsReportedAndLeavesNoPdf) {
  WriteSettings(PortSection(1, 1));
  WriteBytes(dir.File("two-then-fails.ps"),
             "%!PS\n/Helvetica findfont 20 scalefont setfont\n"
             "72 700 moveto (one) show showpage\n72 700 moveto (two) show showpage\n"
             "/undefinedthing load\n");
  std::string junk(3000, '\0');
  uint32_t x = 1;
  for (char& c : junk) c = static_cast<char>((x = x * 1103515245u + 12345u) >> 24);
  WriteBytes(dir.File("junk.prn"), junk);
  std::string pages = "%!PS\n/Helvetica findfont 20 scalefont setfont\n";
  for (int n = 1; n <= 40; ++n) {
    pages += "72 700 moveto (Page " + std::to_string(n) + " of a long report) show showpage\n";
    if (n == 12) WriteBytes(dir.File("twelve.ps"), pages);
  }
  WriteBytes(dir.File("forty.ps"), pages);
  const struct {
    const char* what;
    std::string spool;
    bool fullDisk;
  } cases[] = {
      {"PostScript failing after two pages", dir.File("two-then-fails.ps"), false},
      {"junk bytes", dir.File("junk.prn"), false},
      {"a disk full while pages are written", dir.File("forty.ps"), true},
      {"a disk full as the PDF is closed (exit code 0)", dir.File("twelve.ps"), true},
  };
  std::string noMount;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    // A save folder of 4 KB in a mount of its own, gone with the script.
    std::string script =
        JobCommand(c.spool) + "\necho \"job exit $?\"\nls -A " + ShellQuote(outFolder) + "\n";
    if (c.fullDisk) {
      script = "mount -t tmpfs -o size=4k none " + ShellQuote(outFolder) + " || exit 99\n" + script;
      script = "unshare -m sh -c " + ShellQuote(script) + " || exit 99";
    }
    auto result = RunShell("sh -c " + ShellQuote(script));
    if (result.exitCode == 99) {
      // A machine that gives no mount of its own (no root, no unshare).
      noMount = result.output;
      continue;
    }
    // Ghostscript writes into the user's runtime folder: the full save
    // folder shows when the PDF is put in its place.
    const std::string says =
        c.fullDisk ? "The PDF could not be written to " + outFolder + "/pdf_01.pdf: Disk full."
                   : "Ghostscript could not create " + outFolder + "/pdf_01.pdf";
    EXPECT_NE(result.output.find(says), std::string::npos) << result.output;
    const size_t at = result.output.find("job exit ");
    EXPECT_EQ(result.output.substr(std::min(at, result.output.size())), "job exit 1\n")
        << "something left in the save folder:\n"
        << result.output;
  }
  if (!noMount.empty()) GTEST_SKIP() << "full-disk cases not run: " << noMount;
}

// A PDF that cannot be put where the port says is kept in the user's
// Unsaved folder, and the message and the job log say why and where.
TEST_F(JobEndToEnd, APdfThatCannotBeSavedIsKeptInUnsaved) {
  WriteBytes(dir.File("a file"), "not a folder");
  // More than the 4 KB of the full disk.
  std::string spool = "%!PS\n/Helvetica findfont 20 scalefont setfont\n";
  for (int n = 1; n <= 40; ++n)
    spool += "72 700 moveto (Page " + std::to_string(n) + " of a long report) show showpage\n";
  WriteBytes(dir.File("forty.ps"), spool);
  spool = dir.File("forty.ps");
  const std::string unsaved = dataFolder + "/pdfprinter/Unsaved/";
  const struct {
    const char* what;
    std::string saveFolder;
    std::string mount;  // for the save folder, in a mount namespace of its own
    std::string says;
  } cases[] = {
      {"a file", dir.File("a file") + "/PDFs", "",
       "The folder " + dir.File("a file") +
           "/PDFs cannot be made: it is a file or a device, not "
           "a folder."},
      {"no right to write", outFolder, "-o ro",
       "Cannot create pdf_01.pdf in " + outFolder + "/: File access denied."},
      {"a full disk", outFolder, "-o size=4k",
       "The PDF could not be written to " + outFolder + "/pdf_01.pdf: Disk full."},
  };
  std::string noMount;
  int kept = 0;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    WriteSettings(PortSection(1, 0, c.saveFolder));
    std::string script = JobCommand(spool) + "\necho \"job exit $?\"\n";
    if (!c.mount.empty()) {
      script = "unshare -m sh -c " +
               ShellQuote("mount -t tmpfs " + c.mount + " none " + ShellQuote(outFolder) +
                          " || exit 99\n" + script) +
               " || exit 99";
    }
    auto result = RunShell("sh -c " + ShellQuote(script));
    if (result.exitCode == 99) {
      noMount = result.output;
      continue;
    }
    const std::string pdf = unsaved + "pdf_0" + std::to_string(++kept) + ".pdf";
    EXPECT_NE(result.output.find(c.says + "\n\nThe PDF was kept in " + pdf + "."),
              std::string::npos)
        << result.output;
    EXPECT_NE(result.output.find("job exit 1"), std::string::npos) << result.output;
    EXPECT_EQ(Pages(pdf), 40);
    EXPECT_NE(ReadBytes(dataFolder + "/pdfprinter/jobs.log")
                  .find("\tkept in Unsaved as " + pdf + " (40 pages): " + c.says + "\t"),
              std::string::npos);
  }
  if (!noMount.empty()) GTEST_SKIP() << "mounted cases not run: " << noMount;
}

// Ghostscript reads "%" in its output name as a pattern. The PDF lands at
// exactly the path chosen, and the folder that the pattern would name keeps
// its file.
TEST_F(JobEndToEnd, APercentSignInTheSaveFolderIsTakenLiterally) {
  const std::string folder = dir.File("a%%b"), lookalike = dir.File("a%b");
  fs::create_directories(folder);
  fs::create_directories(lookalike);
  WriteBytes(lookalike + "/pdf_01.pdf", "keep");
  WriteSettings(PortSection(1, 0, folder));
  auto result = Job(DataFile("multipage.ps"));
  ASSERT_EQ(result.exitCode, 0) << result.output;
  EXPECT_EQ(Pages(folder + "/pdf_01.pdf"), 3);
  EXPECT_EQ(ReadBytes(lookalike + "/pdf_01.pdf"), "keep");
}

// By the Windows rules the command line is split by, a backslash before a
// closing quote escapes it; in the response file Ghostscript takes a quote
// as one only at the start of a word or after "=". Linux names may end in a
// backslash (the spool file here), folders may hold backslashes and blanks
// (the Ghostscript folder, so the response file's path and its search
// folders): each reaches Ghostscript as it is.
TEST_F(JobEndToEnd, BackslashesAndBlanksInPathsReachGhostscriptAsTheyAre) {
  const std::string gs = dir.File("gs\\ 10\\") + "/bin", spool = dir.File("spool \\") + "/";
  fs::create_directories(gs);
  fs::create_directories(spool);
  fs::create_symlink(fs::read_symlink(gsFolder + "/gs"), gs + "/gs");
  WriteSettings(PortSection(1, 0, "", gs));
  int n = 0;
  for (const std::string name : {"job\\", "job.ps"}) {
    SCOPED_TRACE(name);
    WriteBytes(spool + name, ReadBytes(DataFile("multipage.ps")));
    auto result = Job(spool + name);
    EXPECT_EQ(result.exitCode, 0) << result.output;
    EXPECT_EQ(Pages(outFolder + "/pdf_0" + std::to_string(++n) + ".pdf"), 3);
  }
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
  // A job log just short of its largest size, which the jobs then pass.
  const std::string log = dataFolder + "/pdfprinter/jobs.log";
  fs::create_directories(dataFolder + "/pdfprinter");
  std::string old;
  for (int n = 0; old.size() < (1 << 20) - 500; ++n)
    old += "2026-01-01 00:00:00\tPPP1:\tOld " + std::to_string(n) + "\tcancelled\t1.0 s\r\n";
  WriteBytes(log, old);
  std::vector<testing_support::CommandResult> results(20);
  std::vector<std::thread> jobs;
  for (int i = 0; i < 20; ++i) jobs.emplace_back([&, i] { results[i] = Job(inputs[i]); });
  for (auto& t : jobs) t.join();
  for (int i = 0; i < 20; ++i) EXPECT_EQ(results[i].exitCode, 0) << results[i].output;

  // Each job added one whole line, after the newer half of the old ones.
  const std::string kept = ReadBytes(log);
  EXPECT_LT(kept.size(), (1u << 20) / 2 + 20 * 200);
  const std::regex oldLine("2026-01-01 00:00:00\tPPP1:\tOld \\d+\tcancelled\t1\\.0 s");
  const std::regex jobLine("\\d{4}-\\d\\d-\\d\\d \\d\\d:\\d\\d:\\d\\d\tPPP1:\t\tsaved as " +
                           outFolder + "/(pdf_\\d\\d\\.pdf) \\(1 page\\)\t\\d+\\.\\d s");
  std::set<std::string> recorded;
  bool newer = false;
  for (size_t at = 0, end; at < kept.size(); at = end + 2) {
    end = kept.find("\r\n", at);
    ASSERT_NE(end, std::string::npos) << "a torn last line";
    const std::string line = kept.substr(at, end - at);
    std::smatch match;
    if (std::regex_match(line, match, jobLine)) {
      newer = true;
      recorded.insert(match[1]);
    } else {
      EXPECT_FALSE(newer) << "an old line after a new one: " << line;
      EXPECT_TRUE(std::regex_match(line, oldLine)) << line;
    }
  }
  EXPECT_EQ(recorded.size(), 20u);

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

TEST_F(JobEndToEnd, AnythingPlantedAtTheOldSharedLockPathChangesNothing) {
  InstallStandInGhostscript();
  WriteSettings(PortSection(1, 0));
  const std::string victim = dir.File("victim");
  WriteBytes(victim, "keep");
  fs::permissions(victim, fs::perms::owner_read | fs::perms::owner_write);
  const std::string spool = PsJob("job.ps", "Planted");
  const struct {
    const char* name;
    std::string plant;
  } cases[] = {
      {"folder", "mkdir /tmp/PdfPrinterJob.lock"},
      {"another user's file",
       "touch /tmp/PdfPrinterJob.lock && chown 65534 /tmp/PdfPrinterJob.lock "
       "&& chmod 640 /tmp/PdfPrinterJob.lock"},
      {"link to another file", "ln -s " + ShellQuote(victim) + " /tmp/PdfPrinterJob.lock"},
  };
  int n = 0;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string look = "stat -c '%F %a %u' /tmp/PdfPrinterJob.lock";
    auto result = WithPrivateTmp(c.plant + " || exit 98\nbefore=$(" + look + ")\n" +
                                 JobCommand(spool) + "\necho \"job exit $?\"\n" +
                                 "[ \"$before\" = \"$(" + look + ")\" ] && echo unchanged\n");
    ASSERT_NE(result.exitCode, 99) << "no private /tmp (unshare, mount): " << result.output;
    EXPECT_NE(result.output.find("job exit 0\nunchanged\n"), std::string::npos) << result.output;
    EXPECT_EQ(ReadBytes(outFolder + "/pdf_0" + std::to_string(++n) + ".pdf"), ReadBytes(spool));
  }
  EXPECT_EQ(Mode(victim), 0600u);
}

// With a folder at the old lock path the jobs once ran unlocked and
// overwrote each other's PDFs while all reported success.
TEST_F(JobEndToEnd, HundredJobsAtOnceLoseNothing) {
  InstallStandInGhostscript();
  WriteSettings(PortSection(1, 0));
  std::string script = "mkdir /tmp/PdfPrinterJob.lock || exit 98\n";
  for (int i = 1; i <= 100; ++i) {
    std::string tag = dir.File("job" + std::to_string(i));
    PsJob("job" + std::to_string(i) + ".ps", "Job number " + std::to_string(i) + " end");
    script += "(" + JobCommand(tag + ".ps") + " >" + ShellQuote(tag + ".out") + " 2>&1; echo $? >" +
              ShellQuote(tag + ".code") + ") &\n";
  }
  auto run = WithPrivateTmp(script + "wait\n");
  ASSERT_EQ(run.exitCode, 0) << run.output;

  size_t succeeded = 0;
  for (int i = 1; i <= 100; ++i) {
    std::string tag = dir.File("job" + std::to_string(i));
    SCOPED_TRACE(tag);
    if (ReadBytes(tag + ".code") == "0\n") {
      ++succeeded;
    } else {
      EXPECT_NE(ReadBytes(tag + ".out").find("Error"), std::string::npos)
          << ReadBytes(tag + ".out");
    }
  }
  std::set<std::string> contents;
  for (const auto& entry : fs::directory_iterator(outFolder))
    contents.insert(ReadBytes(entry.path()));
  EXPECT_EQ(std::distance(fs::directory_iterator(outFolder), fs::directory_iterator()), succeeded);
  EXPECT_EQ(contents.size(), succeeded);
  EXPECT_EQ(succeeded, 100u);
}

TEST_F(JobEndToEnd, ALongSpoolPathIsNeverCutIntoAnotherFile) {
  WriteSettings(PortSection(1, 0));
  std::string spool = dir.File("long");
  while (spool.size() < 4990) spool += "/" + std::string(200, 'c');
  spool = spool.substr(0, 4990) + "/job.ps";  // 5,000 characters or so, past PATH_MAX
  // Cut after 4,096 characters, the rest would be a relative path: plant a
  // decoy there.
  const std::string rest = spool.substr(4096);
  ASSERT_NE(rest.front(), '/');
  const std::string cwd = dir.File("cwd");
  fs::create_directories(fs::path(cwd + "/" + rest).parent_path());
  WriteBytes(cwd + "/" + rest, ReadBytes(DataFile("pjl_job.prn")));

  // The whole path is no file: without a desktop the job ends, saying so.
  auto result = RunShell("cd " + ShellQuote(cwd) + " && " + JobCommand(spool));
  EXPECT_EQ(result.exitCode, 1) << result.output;
  EXPECT_TRUE(fs::is_empty(outFolder)) << "the decoy was converted";
  EXPECT_NE(result.output.find("PDF Printer: The print job " + spool + " is no existing file"),
            std::string::npos)
      << result.output;
}

TEST_F(JobEndToEnd, AQuoteInTheSpoolPathIsAnErrorNotSetUpMode) {
  WriteSettings(PortSection(1, 0));
  const std::string spool = dir.File("say \"hi\".ps");
  WriteBytes(spool, ReadBytes(DataFile("multipage.ps")));
  auto result = Job(spool);
  EXPECT_EQ(result.exitCode, 1) << result.output;
  EXPECT_NE(result.output.find("Application Error: Exception EArgumentException"),
            std::string::npos)
      << result.output;
  EXPECT_NE(result.output.find(spool), std::string::npos) << result.output;
  EXPECT_EQ(result.output.find("PDF Printer setup"), std::string::npos) << result.output;
  EXPECT_TRUE(fs::is_empty(outFolder));
}

// Jobs share nothing: 24 at once from two users' runtime folders into one
// save folder, beside a job that never ends. Each gets a whole PDF of its own
// and a link planted at a name is not written through; the endless job is
// ended at its time limit with its error, and leaves nothing, not even the
// missing save folder it made; no job leaves a file anywhere else.
TEST_F(JobEndToEnd, ConcurrentJobsShareNothingAndAnEndlessOneIsEnded) {
  const std::string missing = dir.File("later/made");
  WriteSettings(PortSection(1, 0) + "[PPP2:]\r\nSaveType=1\r\nShowPDF=0\r\nSaveToFolder=" +
                missing + "\r\n[Options]\r\nGhostscriptTimeLimit=5\r\n");
  const std::string victim = dir.File("victim");
  fs::create_symlink(victim, outFolder + "/pdf_01.pdf");
  WriteBytes(dir.File("endless.ps"), "%!PS\n{} loop\n");
  const std::string otherRun = dir.File("run of another user");
  fs::create_directories(otherRun);
  fs::permissions(otherRun, fs::perms::owner_all);

  std::string script = "now() { date +%s.%N; }\npids=\n";
  for (int i = 0; i < 24; ++i) {
    std::string job = JobCommand(DataFile("multipage.ps"));
    if (i % 2)
      job.replace(job.find(ShellQuote(runFolder)), ShellQuote(runFolder).size(),
                  ShellQuote(otherRun));
    script += "( " + job + "; echo \"exit $?\" ) >job" + std::to_string(i) + ".log 2>&1 &\n" +
              "pids=\"$pids $!\"\n";
  }
  // The endless job starts last: its time limit still ends it after them all.
  script += "( " + JobCommand(dir.File("endless.ps"), "PPP2:") +
            "; echo \"endless exit $? at $(now)\" ) >endless.log 2>&1 &\nendless=$!\n"
            "wait $pids\necho \"jobs done at $(now)\"\nwait $endless\ncat endless.log job*.log\n";
  auto result = RunShell("cd " + ShellQuote(dir.Path()) + " && start=$(date +%s.%N) && sh -c " +
                         ShellQuote(script) + " && echo \"start $start\"");
  ASSERT_EQ(result.exitCode, 0) << result.output;
  auto number = [&](const std::string& after) {
    size_t at = result.output.find(after);
    return at == std::string::npos ? -1.0 : std::stod(result.output.substr(at + after.size()));
  };
  size_t exits = 0;
  for (size_t at = 0; (at = result.output.find("\nexit 0\n", at)) != std::string::npos; ++at) {
    ++exits;
  }
  EXPECT_EQ(exits, 24u) << result.output;
  for (int n = 2; n <= 25; ++n) {
    EXPECT_EQ(Pages(outFolder + "/pdf_" + (n < 10 ? "0" : "") + std::to_string(n) + ".pdf"), 3)
        << n;
  }
  EXPECT_TRUE(fs::is_symlink(outFolder + "/pdf_01.pdf"));
  EXPECT_FALSE(fs::exists(victim)) << "written through the link";
  EXPECT_FALSE(fs::exists(outFolder + "/pdf_26.pdf"));

  EXPECT_NE(result.output.find("Ghostscript did not finish within 5 seconds, so " + missing +
                               "/pdf_01.pdf was not created."),
            std::string::npos)
      << result.output;
  const double start = number("start "), done = number("jobs done at "),
               ended = number("endless exit 1 at ");
  EXPECT_GT(ended, done) << result.output;
  EXPECT_GE(ended - start, 5.0);
  EXPECT_LT(ended - start, 30.0);
  EXPECT_FALSE(fs::exists(dir.File("later")));
  EXPECT_TRUE(fs::is_empty(runFolder));
  EXPECT_TRUE(fs::is_empty(otherRun));
  EXPECT_EQ(std::distance(fs::directory_iterator(gsFolder), fs::directory_iterator()), 1);
  EXPECT_EQ(std::distance(fs::directory_iterator(appFolder), fs::directory_iterator()), 2);
}

// A job ended from outside while Ghostscript converts: Ghostscript ends with
// it, and nothing in the save folder looks like a PDF. Asked to end (as
// kill, timeout and Ctrl+C ask), it leaves nothing at all: not its own
// files, not Ghostscript's temporary ones (the job gives Ghostscript a
// temporary folder of its own, inside its own).
TEST_F(JobEndToEnd, AJobEndedFromOutsideTakesGhostscriptAndItsFilesWithIt) {
  WriteSettings(PortSection(1, 0));
  const std::string tmp = dir.File("tmp");
  fs::create_directories(tmp);
  const struct {
    const char* signal;
    int exitCode;
    bool cleansUp;
  } cases[] = {{"KILL", 128 + 9, false}, {"TERM", 128 + 15, true}, {"INT", 128 + 2, true}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.signal);
    // Pages of a large picture: pdfwrite keeps scratch files while it works.
    const std::string spool = dir.File(std::string("endless-") + c.signal + ".ps");
    WriteBytes(spool, "%!PS\n{ 0 0 moveto 1 1 600 { 600 lineto } for stroke showpage } loop\n");
    // Ghostscript's command line, not the job's, has "@" before the spool file.
    const std::string gs = "pgrep -f -- " + ShellQuote("@.*" + spool);
    WriteBytes(dir.File("end.sh"),
               "TMPDIR=" + ShellQuote(tmp) + " " + JobCommand(spool) + " & job=$!\n" +
                   "for i in $(seq 100); do " + gs + " >/dev/null && break; sleep 0.1; done\n" +
                   gs + " >/dev/null || echo 'gs never ran'\nsleep 1\nkill -" + c.signal +
                   " $job\nwait $job\necho \"job exit $?\"\n" + "for i in $(seq 50); do " + gs +
                   " >/dev/null || break; sleep 0.1; done\n" + gs +
                   " && echo 'gs still runs'\nexit 0\n");
    auto result = RunShell("sh " + ShellQuote(dir.File("end.sh")));
    EXPECT_NE(result.output.find("job exit " + std::to_string(c.exitCode) + "\n"),
              std::string::npos)
        << result.output;
    EXPECT_EQ(result.output.find("gs "), std::string::npos) << result.output;
    for (const auto& entry : fs::directory_iterator(outFolder)) {
      EXPECT_EQ(entry.path().extension(), ".tmp") << entry.path();
      EXPECT_EQ(entry.path().filename().string().front(), '.') << entry.path();
    }
    if (c.cleansUp) {
      EXPECT_TRUE(fs::is_empty(outFolder));
      EXPECT_TRUE(fs::is_empty(runFolder));
    }
    EXPECT_TRUE(fs::is_empty(tmp));
    fs::remove_all(runFolder);
    fs::create_directories(runFolder);
    fs::permissions(runFolder, fs::perms::owner_all);
    for (const auto& entry : fs::directory_iterator(outFolder)) fs::remove(entry.path());
  }
}

// PDFs named after their document: the title from the monitor or from the
// PostScript's "%%Title", in each form and code page, made safe, and kept
// inside the PDF with who printed it.
TEST_F(JobEndToEnd, PdfsNamedAfterTheirDocument) {
  WriteSettings(PortSection(2, 0) + "NameTemplate=<Title>\r\n");
  const struct {
    const char* what;
    std::string docName, titleComment, name, title;
  } cases[] = {
      {"the monitor's name, Cyrillic",
       "Microsoft Word - \xD0\x9E\xD1\x82\xD1\x87\xD1\x91\xD1\x82.docx", "(Ignored)",
       "\xD0\x9E\xD1\x82\xD1\x87\xD1\x91\xD1\x82.pdf", "\xD0\x9E\xD1\x82\xD1\x87\xD1\x91\xD1\x82"},
      {"plain Japanese", "", "\xE5\xA0\xB1\xE5\x91\x8A\xE6\x9B\xB8",
       "\xE5\xA0\xB1\xE5\x91\x8A\xE6\x9B\xB8.pdf", "\xE5\xA0\xB1\xE5\x91\x8A\xE6\x9B\xB8"},
      {"a string with escapes", "", "(Plan \\(v2\\) \\101.txt)", "Plan (v2) A.pdf", "Plan (v2) A"},
      {"a hex string", "", "<4D656D6F>", "Memo.pdf", "Memo"},
      {"the legacy code page", "", "J\xFCrgen's notes", "J\xC3\xBCrgen's notes.pdf",
       "J\xC3\xBCrgen's notes"},
      {"parent folders", "..\\..\\x", "", ".._.._x.pdf", "..\\..\\x"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const std::string spool = dir.File("job.ps");
    WriteBytes(spool, "%!PS-Adobe-3.0\n%%Title: " + c.titleComment +
                          "\n%%EndComments\n/Helvetica findfont 20 scalefont setfont\n"
                          "72 700 moveto (Titled) show showpage\n");
    auto result = RunShell("REDMON_DOCNAME=" + ShellQuote(c.docName) +
                           " REDMON_USER=J\xC3\xBCrgen " + JobCommand(spool));
    ASSERT_EQ(result.exitCode, 0) << result.output;
    const std::string pdf = outFolder + "/" + c.name;
    ASSERT_TRUE(fs::is_regular_file(pdf)) << result.output;
    const std::string info = "\n" + RunShell("pdfinfo " + ShellQuote(pdf)).output;
    auto field = [&](const std::string& name) {
      const size_t at = info.find("\n" + name + ":");
      if (at == std::string::npos) return std::string("-");
      const size_t start = info.find_first_not_of(' ', at + name.size() + 2);
      return info.substr(start, info.find('\n', start) - start);
    };
    EXPECT_EQ(field("Title"), c.title) << info;
    EXPECT_EQ(field("Author"), "J\xC3\xBCrgen") << info;
    EXPECT_EQ(field("Creator"), "PDF Printer " PDFPRINTER_VERSION) << info;
    EXPECT_EQ(std::distance(fs::directory_iterator(outFolder), fs::directory_iterator()), 1);
    fs::remove(pdf);
  }
}

// 20 jobs of one document at once: 20 whole PDFs, none replacing another.
// Replacing: a Ghostscript that fails leaves the old file whole.
TEST_F(JobEndToEnd, OneNameTakenAtOnceOrReplaced) {
  WriteSettings(PortSection(2, 0) + "NameTemplate=<Title>\r\n");
  std::string script;
  for (int n = 1; n <= 20; ++n) {
    const std::string ps = PsJob("same" + std::to_string(n) + ".ps", "Copy " + std::to_string(n));
    script += "REDMON_DOCNAME=Report " + JobCommand(ps) + " >/dev/null 2>&1 &\n";
  }
  ASSERT_EQ(RunShell(script + "wait\n").exitCode, 0);
  std::set<std::string> copies;
  for (int n = 1; n <= 20; ++n) {
    const std::string pdf =
        outFolder + "/Report" + (n == 1 ? std::string() : " (" + std::to_string(n) + ")") + ".pdf";
    SCOPED_TRACE(pdf);
    EXPECT_EQ(Pages(pdf), 1);
    copies.insert(Text(pdf));
  }
  EXPECT_EQ(copies.size(), 20u);
  EXPECT_EQ(std::distance(fs::directory_iterator(outFolder), fs::directory_iterator()), 20);

  WriteSettings(PortSection(2, 0) + "NameTemplate=<Title>\r\nIfFileExists=1\r\n");
  WriteBytes(dir.File("fails.ps"), "%!PS\n/undefinedthing load\n");
  const std::string old = ReadBytes(outFolder + "/Report.pdf");
  EXPECT_EQ(RunShell("REDMON_DOCNAME=Report " + JobCommand(dir.File("fails.ps"))).exitCode, 1);
  EXPECT_EQ(ReadBytes(outFolder + "/Report.pdf"), old);
  ASSERT_EQ(RunShell("REDMON_DOCNAME=Report " + JobCommand(DataFile("multipage.ps"))).exitCode, 0);
  EXPECT_EQ(Pages(outFolder + "/Report.pdf"), 3);
  EXPECT_EQ(std::distance(fs::directory_iterator(outFolder), fs::directory_iterator()), 20);
}

// Jobs appending to one PDF take turns and lose no page; a file that
// Ghostscript cannot read as a PDF, and a Ghostscript that fails, leave the
// file as it was.
TEST_F(JobEndToEnd, JobsAppendToOnePdf) {
  WriteSettings(PortSection(2, 0) + "NameTemplate=<User> inbox\r\nIfFileExists=2\r\n");
  const std::string inbox = outFolder + "/jo inbox.pdf";
  std::string script;
  for (int n = 10; n < 20; ++n) {
    const std::string ps = PsJob("mark" + std::to_string(n) + ".ps", "Marker " + std::to_string(n));
    script += "REDMON_USER=jo " + JobCommand(ps) + " >/dev/null 2>&1 &\n";
  }
  ASSERT_EQ(RunShell(script + "wait\n").exitCode, 0);
  EXPECT_EQ(Pages(inbox), 10);
  const std::string text = Text(inbox);
  for (int n = 10; n < 20; ++n) {
    const std::string marker = "Marker " + std::to_string(n);
    const size_t at = text.find(marker);
    EXPECT_NE(at, std::string::npos) << marker;
    EXPECT_EQ(text.find(marker, at + 1), std::string::npos) << marker << " twice";
  }
  EXPECT_EQ(std::distance(fs::directory_iterator(outFolder), fs::directory_iterator()), 1);

  // One more page, then files that are no readable PDF, and a failing job.
  const std::string passworded = dir.File("locked.pdf");
  ASSERT_EQ(RunShell("qpdf --encrypt user owner 256 -- " + ShellQuote(inbox) + " " +
                     ShellQuote(passworded))
                .exitCode,
            0);
  WriteBytes(dir.File("fails.ps"), "%!PS\n72 700 moveto /undefinedthing load\n");
  const struct {
    const char* what;
    std::string before;  // the inbox's bytes; "" keeps what it holds
    std::string spool;
    int exitCode;
    bool savedAside;
  } cases[] = {
      {"one more page", "", PsJob("more.ps", "Marker 20"), 0, false},
      {"another program's file", "not a PDF at all", PsJob("aside.ps", "Aside"), 0, true},
      {"a PDF with a password", ReadBytes(passworded), PsJob("aside2.ps", "Aside"), 0, true},
      {"Ghostscript fails", "", dir.File("fails.ps"), 1, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    if (!c.before.empty()) WriteBytes(inbox, c.before);
    const std::string before = ReadBytes(inbox);
    auto result = RunShell("REDMON_USER=jo " + JobCommand(c.spool));
    EXPECT_EQ(result.exitCode, c.exitCode) << result.output;
    const std::string aside = outFolder + "/jo inbox (2).pdf";
    EXPECT_EQ(fs::exists(aside), c.savedAside);
    if (c.savedAside) {
      EXPECT_EQ(ReadBytes(inbox), before);
      EXPECT_NE(Text(aside).find("Aside"), std::string::npos);
      EXPECT_NE(result.output.find(inbox + " cannot be read as a PDF"), std::string::npos)
          << result.output;
      fs::remove(aside);
    } else if (c.exitCode != 0) {
      EXPECT_EQ(ReadBytes(inbox), before);
    } else {
      EXPECT_EQ(Pages(inbox), 11);
    }
  }
}

// What a port asks a PDF to be: PDF/A, which a validator accepts in any
// time zone (Apache PDFBox Preflight for PDF/A-1b), with the output intent
// and the document's information kept; and a quality preset, which makes a
// photo smaller for the screen than for the press.
TEST_F(JobEndToEnd, PdfaAndQuality) {
  const std::string java = "/usr/share/java/";
  std::string classPath;
  for (const char* jar : {"preflight", "pdfbox2", "fontbox2", "xmpbox", "commons-logging",
                          "javax.activation", "jaxb-api"}) {
    classPath += (classPath.empty() ? "" : ":") + java + jar + ".jar";
  }
  if (RunShell("command -v java qpdf && ls " + java + "preflight.jar").exitCode != 0) {
    GTEST_SKIP() << "java, qpdf or PDFBox Preflight missing: run scripts/setup.sh";
  }
  // A photo of 600 by 600 pixels, drawn by its own procedure.
  WriteBytes(dir.File("photo.ps"),
             "%!PS\n/s 1800 string def /y 0 def 72 72 translate 450 450 scale\n"
             "600 600 8 [600 0 0 -600 0 600] { /y y 1 add def 0 1 599 { /x exch def\n"
             "s x 3 mul x y add 37 mul 255 mod put s x 3 mul 1 add x y mul 7 mul 251 mod put\n"
             "s x 3 mul 2 add x y xor 255 mod put } for s } false 3 colorimage showpage\n");
  const struct {
    const char* what;
    std::string options, spool, timeZone;
  } cases[] = {
      {"PDF/A-1b, UTC", "PDFType=1\r\n", DataFile("multipage.ps"), "UTC"},
      {"PDF/A-1b, New York", "PDFType=1\r\n", DataFile("multipage.ps"), "America/New_York"},
      {"PDF/A-2b", "PDFType=2\r\n", DataFile("multipage.ps"), "Asia/Kolkata"},
      {"screen", "Quality=screen\r\n", dir.File("photo.ps"), "UTC"},
      {"prepress", "Quality=prepress\r\n", dir.File("photo.ps"), "UTC"},
  };
  std::map<std::string, uintmax_t> sizes;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    WriteSettings(PortSection(2, 0) + "NameTemplate=out\r\nIfFileExists=1\r\n" + c.options);
    auto result = RunShell("TZ=" + c.timeZone + " REDMON_DOCNAME=Minutes REDMON_USER=jo " +
                           JobCommand(c.spool));
    ASSERT_EQ(result.exitCode, 0) << result.output;
    const std::string pdf = outFolder + "/out.pdf";
    sizes[c.what] = fs::file_size(pdf);
    if (c.options.rfind("PDFType=1", 0) == 0) {
      auto valid = RunShell("java -cp " + classPath +
                            " org.apache.pdfbox.preflight.Validator_A1b " + ShellQuote(pdf));
      EXPECT_NE(valid.output.find("is a valid PDF/A-1b file"), std::string::npos) << valid.output;
    }
    if (c.options.rfind("PDFType", 0) == 0) {
      const std::string meta = RunShell("pdfinfo -meta " + ShellQuote(pdf)).output;
      const std::string part = c.options.substr(8, 1);
      EXPECT_TRUE(meta.find("pdfaid:part='" + part + "'") != std::string::npos ||
                  meta.find("<pdfaid:part>" + part + "<") != std::string::npos)
          << meta;
      EXPECT_NE(RunShell("qpdf --show-object=trailer --filtered-stream-data " + ShellQuote(pdf) +
                         " >/dev/null && qpdf --qdf --object-streams=disable " + ShellQuote(pdf) +
                         " - | grep -a -c /OutputIntent")
                    .output,
                "0\n");
      const std::string info = RunShell("pdfinfo " + ShellQuote(pdf)).output;
      EXPECT_NE(info.find("Minutes"), std::string::npos) << info;
      EXPECT_NE(info.find("jo"), std::string::npos) << info;
    }
  }
  EXPECT_LT(sizes["screen"], sizes["prepress"] / 2);
}

}  // namespace
