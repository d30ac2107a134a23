#include "procs/convert_print_job.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "platform/error.h"
#include "platform/fake/fake_dialogs.h"
#include "platform/fake/fake_message_boxes.h"
#include "platform/fake/fake_process_info.h"
#include "platform/fake/fake_processes.h"
#include "platform/fake/fake_registry.h"
#include "platform/fake/fake_services.h"
#include "platform/fake/fake_shell.h"
#include "platform/rules/path.h"
#include "platform/rules/windows_command_line.h"
#include "platform/services.h"
#include "procs/ghostscript/ghostscript_program.h"
#include "procs/ghostscript/ghostscript_run.h"
#include "procs/user_data.h"
#include "settings/settings_file.h"
#include "support/scratch_dir.h"

namespace {

namespace path = platform::path;
using testing_support::ReadBytes;
using testing_support::WriteBytes;

// Acts out Ghostscript: like the real one, it reads the response file its
// command line names and makes the file named there (unless told otherwise),
// and answers an exit code.
struct GhostscriptDouble {
  platform::LaunchResult ActOut(const std::string& commandLine) {
    const auto words = platform::SplitWindowsCommandLine(commandLine);
    responseFile = words.at(1).substr(1);
    responseAtRun = ReadBytes(responseFile);
    pageReports = words.at(2);
    documentInfo = words.back();
    documentInfoAtRun = ReadBytes(documentInfo);
    std::string marker = "-sOutputFile=\"";
    auto at = responseAtRun.find(marker);
    auto end = responseAtRun.find('"', at + marker.size());
    outputAtRun = responseAtRun.substr(at + marker.size(), end - at - marker.size());
    if (!startable) return platform::LaunchResult::NotStarted();
    if (writesPdf) WriteBytes(outputAtRun, "%PDF-1.4\n" + pdfEnd);
    return platform::LaunchResult::Exited(exitCode);
  }

  platform::fake::FakeProcesses processes;
  std::string responseFile;  // the job's own, as its command line names it
  std::string responseAtRun;
  std::string pageReports;   // read before the spool file
  std::string documentInfo;  // read after the spool file
  std::string documentInfoAtRun;
  std::string outputAtRun;  // where Ghostscript was told to write
  bool startable = true;
  bool writesPdf = true;
  std::string pdfEnd = "%%EOF\n";
  uint32_t exitCode = 0;
};

class ConvertPrintJobTest : public ::testing::Test {
 protected:
  ConvertPrintJobTest() {
    std::filesystem::create_directories(gsFolder);
    std::filesystem::create_directories(saveFolder);
    WriteBytes(gsFolder + sep + procs::GhostscriptProgramName(), "exe");
    WriteBytes(spool, "%!PS-Adobe-3.0\n");
    settings.WriteText("GhostScript", "Location", gsFolder);
    info.homeFolder = home;
    info.userDataFolder = dir.File("data");
  }

  bool Run(const std::string& args) {
    info.SetCommandLine("pdfprinter.exe " + args);
    gs.processes.QueueRun([this](const std::string& line) { return gs.ActOut(line); });
    return procs::ConvertPrintJob(spool, platform::ProgramArguments());
  }
  void SetPort(const std::string& port, int saveType, bool showPdf) {
    settings.WriteNumber(port, "SaveType", saveType);
    settings.WriteFlag(port, "ShowPDF", showPdf);
    settings.WriteText(port, "SaveToFolder", saveFolder);
  }
  std::string Quoted(const std::string& s) { return "\"" + s + "\""; }

  const std::string sep{path::Delimiter()};
  testing_support::ScratchDir dir;
  std::string gsFolder = dir.File("gs") + sep + "bin";
  std::string saveFolder = dir.File("out");
  std::string spool = dir.File("00012.SPL");
  std::string home = dir.File("home");
  // The default save folder: "c:\" on Windows; on Linux, where it names
  // nothing, the user's home folder.
  const bool windows = path::IsWindows(path::Style::Native);
  platform::fake::FakeServices fakes{dir.File("pdfprinter.exe")};
  platform::fake::FakeProcessInfo& info = fakes.info;
  platform::fake::FakeMessageBoxes& boxes = fakes.boxes;
  platform::fake::FakeDialogs& dialogs = fakes.dialogs;
  platform::fake::FakeShell& shell = fakes.shell;
  GhostscriptDouble gs;
  platform::ScopedServices ghostscript{{.processes = &gs.processes}};
  settings::SettingsFile settings;
};

TEST_F(ConvertPrintJobTest, MissingGhostscriptAsksAndAnswers) {
  settings.WriteText("GhostScript", "Location", dir.File("nowhere"));
  struct {
    int answer;
    bool result;
  } cases[] = {{platform::kIdOk, false}, {platform::kIdCancel, true}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.answer);
    boxes.Answer(c.answer);
    EXPECT_EQ(Run(Quoted(spool) + " \"PPP1:\""), c.result);
  }
  ASSERT_EQ(boxes.Shown().size(), 2u);
  EXPECT_EQ(boxes.Shown()[0].caption, "Error");
  EXPECT_EQ(boxes.Shown()[0].text,
            "Cannot find " + sep + procs::GhostscriptProgramName() + " - please install/locate...");
  // Owned by the job's own window and in front, so that a hidden start-up
  // state cannot hide it.
  EXPECT_EQ(boxes.Shown()[0].flags, platform::kMbOkCancel | platform::kMbIconError |
                                        platform::kMbOwnedByJob | platform::kMbSetForeground);
  EXPECT_EQ(settings.ReadText("Log", "LastInputFile", "<none>"), "<none>");
  EXPECT_TRUE(gs.processes.calls.empty());
  EXPECT_TRUE(dialogs.Shown().empty());
}

// Where no user can see a window, nothing is shown and nothing waits: a port
// that asks gets the automatic name, the viewer is not started, and a
// failure goes to the system's log and ends the job with exit code 1.
TEST_F(ConvertPrintJobTest, NoUserCanSeeTheJob) {
  fakes.desktop.visible = false;
  SetPort("PPP1:", 0, true);
  EXPECT_TRUE(Run(Quoted(spool) + " \"PPP1:\""));
  EXPECT_EQ(ReadBytes(saveFolder + sep + "pdf_01.pdf"), "%PDF-1.4\n%%EOF\n");
  gs.exitCode = 1;
  EXPECT_THROW(Run(Quoted(spool) + " \"PPP1:\""), platform::ExitWithCode);
  settings.WriteText("GhostScript", "Location", dir.File("nowhere"));
  try {
    Run(Quoted(spool) + " \"PPP1:\"");
    ADD_FAILURE() << "no exit code";
  } catch (const platform::ExitWithCode& exit) {
    EXPECT_EQ(exit.code, 1);
  }
  ASSERT_EQ(fakes.desktop.logged.size(), 2u);
  EXPECT_NE(fakes.desktop.logged[0].find("(exit code 1)"), std::string::npos);
  EXPECT_EQ(fakes.desktop.logged[1].rfind("Cannot find ", 0), 0u);
  EXPECT_TRUE(boxes.Shown().empty());
  EXPECT_TRUE(dialogs.Shown().empty());
  EXPECT_TRUE(shell.calls.empty());
}

TEST_F(ConvertPrintJobTest, AutomaticNamesFillGapsAndPassNinetyNine) {
  SetPort("PPP1:", 1, false);
  std::string folder = saveFolder + sep;
  EXPECT_TRUE(Run(Quoted(spool) + " \"PPP1:\""));
  EXPECT_TRUE(std::filesystem::exists(folder + "pdf_01.pdf"));
  WriteBytes(folder + "pdf_03.pdf", "x");
  EXPECT_TRUE(Run(Quoted(spool) + " \"PPP1:\""));
  EXPECT_TRUE(std::filesystem::exists(folder + "pdf_02.pdf"));
  for (int n = 4; n <= 99; ++n)
    WriteBytes(folder + "pdf_" + (n < 10 ? "0" : "") + std::to_string(n) + ".pdf", "x");
  EXPECT_TRUE(Run(Quoted(spool) + " \"PPP1:\""));
  EXPECT_TRUE(std::filesystem::exists(folder + "pdf_100.pdf"));
  EXPECT_TRUE(dialogs.Shown().empty());
  EXPECT_TRUE(shell.calls.empty());  // show PDF off
  EXPECT_TRUE(boxes.Shown().empty());
}

TEST_F(ConvertPrintJobTest, ResponseFileAndCommandLineAreExact) {
  SetPort("PPP2:", 1, true);
  EXPECT_TRUE(Run(Quoted(spool) + " \"PPP2:\""));
  std::string gsWithSep = gsFolder + sep;
  std::string output = saveFolder + sep + "pdf_01.pdf";
  // Ghostscript writes into a file of the job's own, which the PDF's file
  // then takes; neither that nor the response file lies in a shared folder
  // or outlives the job.
  std::string expected;
  for (const auto& line : procs::ResponseFileLines(gsWithSep, gs.outputAtRun)) {
    expected += line + "\r\n";
  }
  EXPECT_EQ(gs.responseAtRun, expected);
  for (const std::string& own : {gs.responseFile, gs.outputAtRun}) {
    EXPECT_NE(own.find(sep), std::string::npos) << own;
    for (const std::string& shared : {gsWithSep, saveFolder + sep, dir.Path()}) {
      EXPECT_NE(own.rfind(shared, 0), 0u) << own;
    }
    EXPECT_FALSE(std::filesystem::exists(own)) << own;
  }
  EXPECT_EQ(ReadBytes(output), "%PDF-1.4\n%%EOF\n");
  ASSERT_EQ(gs.processes.calls.size(), 1u);
  EXPECT_EQ(
      gs.processes.calls[0].commandLine,
      procs::GhostscriptCommandLine(gsWithSep, procs::GhostscriptProgramName(), gs.responseFile,
                                    {gs.pageReports, spool, gs.documentInfo}));
  EXPECT_EQ(gs.documentInfoAtRun.rfind("[ /Author (Jo) /Creator (PDF Printer ", 0), 0u)
      << gs.documentInfoAtRun;
  EXPECT_TRUE(gs.processes.calls[0].options.hidden);
  EXPECT_TRUE(gs.processes.calls[0].options.wait);
  // The time limit: 600 seconds unless "Options" says otherwise; past it
  // Ghostscript and what it started are ended.
  EXPECT_EQ(gs.processes.calls[0].options.waitLimit, std::chrono::seconds(600));
  EXPECT_TRUE(gs.processes.calls[0].options.endAtLimit);
  ASSERT_EQ(shell.calls.size(), 1u);
  EXPECT_EQ(shell.calls[0].verb, "open");
  EXPECT_EQ(shell.calls[0].file, output);
  EXPECT_EQ(shell.calls[0].parameters, "");
  EXPECT_EQ(shell.calls[0].directory, "c:\\");
  EXPECT_EQ(shell.calls[0].showMode, 1);
  EXPECT_EQ(settings.ReadText("Log", "LastInputFile", ""), spool);
}

TEST_F(ConvertPrintJobTest, SaveDialogIsPreparedAndAnswered) {
  SetPort("PPP1:", 0, true);
  std::string chosen = saveFolder + sep + "report.pdf";
  dialogs.Answer(chosen);
  info.environment["REDMON_DOCNAME"] = "Microsoft Word - Quarterly report.docx";
  EXPECT_TRUE(Run(Quoted(spool) + " \"PPP1:\""));
  ASSERT_EQ(dialogs.Shown().size(), 1u);
  const auto& shown = dialogs.Shown()[0];
  EXPECT_TRUE(shown.save);
  EXPECT_EQ(shown.request.title, "Save PDF file as...");
  EXPECT_EQ(shown.request.filter, "Adobe Acrobat files (*.pdf)|*.pdf|All files (*.*)|*.*");
  EXPECT_EQ(shown.request.filterIndex, 1);
  EXPECT_EQ(shown.request.defaultExtension, ".pdf");
  EXPECT_EQ(shown.request.initialFolder, saveFolder);
  EXPECT_EQ(shown.request.fileName, "Quarterly report.pdf");  // the template's name
  // No overwrite question of the dialog's: an existing file gets the job's.
  EXPECT_EQ(shown.request.options, 0x4u | 0x800000u | 0x80000u);
  EXPECT_TRUE(shown.request.ownedByJob);
  EXPECT_TRUE(std::filesystem::exists(chosen));
  ASSERT_EQ(shell.calls.size(), 1u);
  EXPECT_EQ(shell.calls[0].file, chosen);
}

TEST_F(ConvertPrintJobTest, WithoutPortArgumentTheDefaultsApply) {
  EXPECT_TRUE(Run(Quoted(spool) + " ppp1: xPPP1:"));  // neither begins with "PPP"
  ASSERT_EQ(dialogs.Shown().size(), 1u);
  EXPECT_EQ(dialogs.Shown()[0].request.initialFolder, windows ? "c:\\" : home);
  EXPECT_EQ(settings.ReadText("Log", "LastInputFile", "<none>"), "<none>");
  EXPECT_TRUE(gs.processes.calls.empty());  // cancelled
}

TEST_F(ConvertPrintJobTest, TheLastPortArgumentWins) {
  SetPort("PPP1:", 0, true);
  SetPort("PPP7:", 1, false);
  EXPECT_TRUE(Run(Quoted(spool) + " PPP1: PPP7:"));
  EXPECT_TRUE(dialogs.Shown().empty());
  EXPECT_TRUE(std::filesystem::exists(saveFolder + sep + "pdf_01.pdf"));
  EXPECT_TRUE(shell.calls.empty());
}

TEST_F(ConvertPrintJobTest, CancelledDialogLeavesEverythingAlone) {
  EXPECT_TRUE(Run(Quoted(spool) + " \"PPP1:\""));
  EXPECT_TRUE(std::filesystem::is_empty(saveFolder));
  EXPECT_TRUE(gs.processes.calls.empty());
  EXPECT_TRUE(shell.calls.empty());
}

TEST_F(ConvertPrintJobTest, UnknownSaveTypeAsksInsteadOfPassingAnEmptyName) {
  settings.WriteNumber("PPP1:", "SaveType", 3);
  EXPECT_TRUE(Run(Quoted(spool) + " \"PPP1:\""));
  EXPECT_EQ(dialogs.Shown().size(), 1u);
  EXPECT_TRUE(gs.processes.calls.empty());
}

TEST_F(ConvertPrintJobTest, EmptySaveFolderGivesARootPath) {
  settings.WriteNumber("PPP1:", "SaveType", 1);
  settings.WriteFlag("PPP1:", "ShowPDF", false);
  settings.WriteText("PPP1:", "SaveToFolder", "");
  gs.writesPdf = false;
  gs.exitCode = 0;
  EXPECT_THROW(Run(Quoted(spool) + " \"PPP1:\""), platform::ExitWithCode);
  ASSERT_FALSE(boxes.Shown().empty());
  EXPECT_NE(boxes.Shown().back().text.find(" " + (windows ? "" : home) + sep + "pdf_01.pdf"),
            std::string::npos)
      << boxes.Shown().back().text;
  EXPECT_FALSE(std::filesystem::exists(sep + "pdf_01.pdf"));
  EXPECT_FALSE(std::filesystem::exists(home)) << "the home folder made for it stays";
}

// A failed run leaves no file behind that it made, and a file the dialog
// chose to overwrite stays as it was: Ghostscript writes into a file of the
// job's own, which the chosen file takes only once it is a whole PDF.
TEST_F(ConvertPrintJobTest, GhostscriptFailureIsReportedAndRemovesWhatItLeft) {
  SetPort("PPP1:", 0, true);
  const std::string output = saveFolder + sep + "report.pdf";
  struct {
    const char* name;
    bool oldFile, startable, writesPdf;
    uint32_t exitCode;
    std::string inText, left;  // left: what is at the output path after, "" for nothing
    bool cutShort = false;     // the PDF lacks its end (a full disk)
  } cases[] = {
      {"non-zero exit", false, true, true, 1, "(exit code 1)", ""},
      {"non-zero exit over an old file", true, true, true, 1, "(exit code 1)", "old"},
      {"non-zero exit, old file untouched", true, true, false, 1, "(exit code 1)", "old"},
      {"no PDF made", false, true, false, 0, "(exit code 0)", ""},
      {"PDF cut short, exit code 0", true, true, true, 0, "(exit code 0)", "old", true},
      {"cannot start", true, false, false, 0, "could not be started", "old"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    std::filesystem::remove(output);
    if (c.oldFile) WriteBytes(output, "old");
    if (c.oldFile) boxes.Answer(platform::kIdYes);  // replace it
    dialogs.Answer(output);
    gs.startable = c.startable;
    gs.writesPdf = c.writesPdf;
    gs.exitCode = c.exitCode;
    gs.pdfEnd = c.cutShort ? "" : "%%EOF\n";
    size_t before = boxes.Shown().size();
    try {
      Run(Quoted(spool) + " \"PPP1:\"");
      ADD_FAILURE() << "job reported success";
    } catch (const platform::ExitWithCode& exit) {
      EXPECT_EQ(exit.code, 1);
    }
    ASSERT_EQ(boxes.Shown().size(), before + (c.oldFile ? 2 : 1));
    if (c.oldFile) {
      EXPECT_EQ(
          boxes.Shown()[before].text.rfind("report.pdf already exists.\n\nYes: replace it.", 0),
          0u);
      EXPECT_EQ(boxes.Shown()[before].flags & 0xF, platform::kMbYesNoCancel);
    }
    const auto& box = boxes.Shown().back();
    EXPECT_EQ(box.caption, "Error");
    EXPECT_NE(testing_support::Unbroken(box.text).find(output), std::string::npos) << box.text;
    EXPECT_NE(box.text.find(c.inText), std::string::npos) << box.text;
    EXPECT_EQ(std::filesystem::exists(output) ? ReadBytes(output) : "", c.left);
    EXPECT_FALSE(std::filesystem::exists(gs.outputAtRun));
    EXPECT_TRUE(shell.calls.empty());
  }
}

// A job writes only what changed, and a settings file it cannot write stops
// no print; a missing save folder is made; where one cannot be made, the PDF
// is kept in the Unsaved folder, and the error names both.
TEST_F(ConvertPrintJobTest, SettingsAndSaveFoldersAJobCannotWrite) {
  platform::ScopedServices fakeProfile{{.profile = &fakes.profile}};
  settings.WriteText("GhostScript", "Location", gsFolder);
  SetPort("PPP1:", 1, false);

  const std::string blocked = saveFolder + sep + "file" + sep + "below";
  WriteBytes(saveFolder + sep + "file", "not a folder");
  settings.WriteText("PPP1:", "SaveToFolder", blocked);
  EXPECT_THROW(Run(Quoted(spool) + " \"PPP1:\""), platform::ExitWithCode);
  ASSERT_EQ(boxes.Shown().size(), 1u);
  const std::string kept = procs::UnsavedFolder() + "pdf_01.pdf";
  EXPECT_EQ(testing_support::Unbroken(boxes.Shown()[0].text),
            "The folder " + blocked +
                " cannot be made: it is a file or a device, not a folder.The PDF was kept in " +
                kept + ".");
  EXPECT_EQ(ReadBytes(kept), "%PDF-1.4\n%%EOF\n");

  const std::string missing = saveFolder + sep + "new" + sep + "deeper";
  settings.WriteText("PPP1:", "SaveToFolder", missing);
  const int changes = fakes.profile.ChangeCount();
  fakes.profile.RefuseWrites(settings.Path());
  EXPECT_TRUE(Run(Quoted(spool) + " \"PPP1:\""));
  EXPECT_EQ(ReadBytes(missing + sep + "pdf_01.pdf"), "%PDF-1.4\n%%EOF\n");
  EXPECT_EQ(fakes.profile.ChangeCount(), changes);
  EXPECT_EQ(boxes.Shown().size(), 1u);
}

// "GhostscriptTimeLimit" as people write it: the limit a value gives, and
// why, in the system's log, where that is not what it says.
TEST_F(ConvertPrintJobTest, TheTimeLimitAsWrittenAndWhatIsUsed) {
  SetPort("PPP1:", 1, false);
  const std::string large = "is more than the largest limit: 86400",
                    other = "is no whole number of seconds: 600";
  const struct {
    const char* stored;
    std::optional<std::chrono::seconds> limit;
    std::string why;
  } cases[] = {
      {nullptr, std::chrono::seconds(600), ""},
      {"0", std::nullopt, ""},
      {" 45", std::chrono::seconds(45), ""},
      {"99999999999", std::chrono::seconds(86400), large},
      {"200000", std::chrono::seconds(86400), large},
      {"-1", std::chrono::seconds(600), "is negative: 600"},
      {"4.5", std::chrono::seconds(600), other},
      {"4 ; comment", std::chrono::seconds(600), other},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.stored ? c.stored : "absent");
    if (c.stored) settings.WriteText("Options", "GhostscriptTimeLimit", c.stored);
    fakes.desktop.logged.clear();
    gs.processes.calls.clear();
    EXPECT_TRUE(Run(Quoted(spool) + " \"PPP1:\""));
    ASSERT_EQ(gs.processes.calls.size(), 1u);
    EXPECT_EQ(gs.processes.calls[0].options.waitLimit, c.limit);
    EXPECT_EQ(gs.processes.calls[0].options.endAtLimit, c.limit.has_value());
    EXPECT_TRUE(gs.processes.calls[0].options.endWithCaller);
    EXPECT_EQ(fakes.desktop.logged.empty() ? "" : fakes.desktop.logged[0],
              c.why.empty() ? ""
                            : "GhostscriptTimeLimit=" + std::string(c.stored) + " in [Options] " +
                                  c.why + " seconds are used.");
  }
}

// A save folder the job had to make goes again when the job fails, and a
// long path in the "Error" box is broken into lines a screen can show. A
// name that is one of Windows's devices is refused before anything runs.
TEST_F(ConvertPrintJobTest, AFailedJobLeavesNoFolderAndNoDeviceNameIsTaken) {
  std::string deep = saveFolder + sep + "made";
  while (deep.size() < 340) deep += sep + std::string(30, 'd');
  SetPort("PPP1:", 1, false);
  settings.WriteText("PPP1:", "SaveToFolder", deep);
  // Windows cannot make so deep a folder (the PDF is kept in Unsaved); Linux
  // can, and Ghostscript fails.
  gs.exitCode = windows ? 0 : 1;
  EXPECT_THROW(Run(Quoted(spool) + " \"PPP1:\""), platform::ExitWithCode);
  ASSERT_EQ(boxes.Shown().size(), 1u);
  const std::string text = boxes.Shown()[0].text;
  EXPECT_NE(testing_support::Unbroken(text).find(deep), std::string::npos) << text;
  for (size_t start = 0, end; start < text.size(); start = end + 1) {
    end = std::min(text.find('\n', start), text.size());
    EXPECT_LE(end - start, 120u) << text;
  }
  EXPECT_FALSE(std::filesystem::exists(saveFolder + sep + "made"));

  if (!windows) return;
  SetPort("PPP1:", 0, false);
  dialogs.Answer(saveFolder + sep + "nul.pdf");
  gs.processes.calls.clear();
  EXPECT_THROW(Run(Quoted(spool) + " \"PPP1:\""), platform::ExitWithCode);
  EXPECT_EQ(boxes.Shown().back().text,
            "nul.pdf is the name of a device of Windows, not of a file: the PDF cannot be saved "
            "under it.");
  EXPECT_TRUE(gs.processes.calls.empty());
}

}  // namespace
