// Print jobs through the real product under Wine, started as the port
// monitor starts it (also after setting the port up in the product's own
// window), with the real Win32 calls: its settings file beside it,
// Ghostscript found through a registry seeded by Wine's regedit, and the
// stand-in gswin32c.exe running the real gs. Results are checked with
// poppler's pdfinfo and pdftotext.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "platform/registry.h"
#include "platform/services.h"
#include "platform/win32/scoped_handle.h"
#include "support/scratch_dir.h"
#include "tests/win32/setup_window_process.h"
#include "tests/win32/started_process.h"
#include "tests/win32/unix_command.h"
#include "tests/win32/window_driver.h"

namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using testing_support::ReadBytes;
using testing_support::RunUnixCommand;
using testing_support::StartedProcess;
using testing_support::UnixQuote;
using testing_support::WriteBytes;

constexpr auto kWindowTimeout = 30s;
constexpr auto kJobTimeout = 120s;
constexpr char kGhostscriptKey[] = "SOFTWARE\\AFPL Ghostscript";

std::string OwnFolder() {
  char path[MAX_PATH + 1] = {};
  DWORD n = ::GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string self(path, n);
  return self.substr(0, self.find_last_of('\\') + 1);
}

// Linux paths of the build are seen through drive Z:.
std::string FromLinux(const std::string& path) {
  std::string out = "Z:" + path;
  for (char& c : out) {
    if (c == '/') c = '\\';
  }
  return out;
}

std::string DataFile(const std::string& name) {
  return FromLinux(std::string(PDFPRINTER_SOURCE_DIR) + "/tests/data/" + name);
}

std::string RegText(const std::string& text) {
  std::string out;
  for (char c : text) {
    if (c == '\\' || c == '"') out += '\\';
    out += c;
  }
  return out;
}

std::string Replaced(std::string text, const std::string& from, const std::string& to) {
  for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size())) {
    text.replace(at, from.size(), to);
  }
  return text;
}

void RemoveGhostscriptKeys() {
  ::RegDeleteKeyA(HKEY_LOCAL_MACHINE, (std::string(kGhostscriptKey) + "\\8.54").c_str());
  ::RegDeleteKeyA(HKEY_LOCAL_MACHINE, kGhostscriptKey);
  platform::Current().registry->DeleteKeyTree("SOFTWARE\\GPL Ghostscript");
}

class JobUnderWine : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!testing_support::RunningUnderWine()) GTEST_SKIP() << "needs Wine";
    auto tools = RunUnixCommand("command -v gs && command -v pdfinfo && command -v pdftotext");
    ASSERT_EQ(tools.exitCode, 0) << "gs and poppler-utils are needed: " << tools.output;
    RemoveGhostscriptKeys();
    fs::create_directories(appFolder_);
    fs::copy_file(FromLinux(PDFPRINTER_EXE), program_);
    for (const char* monitorProgram : {"\\redrun.exe", "\\rr_set.exe"}) {
      WriteBytes(appFolder_ + monitorProgram, "");
    }
    fs::create_directories(gsFolder_);
    fs::create_directories(saveFolder_);
    fs::create_directories(dir_.File("spool"));
    // The jobs keep their log and unsaved PDFs in the test's folder.
    ::SetEnvironmentVariableA("LOCALAPPDATA", dataFolder_.c_str());
  }
  void TearDown() override {
    ::SetEnvironmentVariableA("LOCALAPPDATA", nullptr);
    RemoveGhostscriptKeys();
  }

  // The Ghostscript folder as the installer leaves it; without the console
  // program when `withProgram` is false.
  void InstallGhostscript(bool withProgram = true) {
    WriteBytes(gsFolder_ + "\\gsdll32.dll", "MZ stand-in library");
    if (withProgram) fs::copy_file(OwnFolder() + "gswin32c.exe", gsFolder_ + "\\gswin32c.exe");
  }

  void SeedRegistry() {
    std::string text = ReadBytes(DataFile("ghostscript.reg.in"));
    ASSERT_NE(text.find("@GS_DLL@"), std::string::npos);
    text = Replaced(text, "@GS_DLL@", RegText(gsFolder_ + "\\gsdll32.dll"));
    text = Replaced(text, "@GS_LIB@", RegText(dir_.File("Program Files\\gs\\gs8.54\\lib")));
    const std::string file = dir_.File("ghostscript.reg");
    WriteBytes(file, text);
    ASSERT_EQ(testing_support::ImportWithRegedit(file), std::optional<DWORD>(0));
  }

  // A 64-bit Ghostscript of today as its installer leaves it: only
  // gswin64c.exe, registered under "GPL Ghostscript".
  void InstallGplGhostscript() {
    WriteBytes(gsFolder_ + "\\gsdll64.dll", "MZ stand-in library");
    fs::copy_file(OwnFolder() + "gswin32c.exe", gsFolder_ + "\\gswin64c.exe");
    const std::string file = dir_.File("gpl-ghostscript.reg");
    WriteBytes(file,
               "Windows Registry Editor Version 5.00\r\n\r\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\"
               "GPL Ghostscript\\10.02.1]\r\n\"GS_DLL\"=\"" +
                   RegText(gsFolder_ + "\\gsdll64.dll") + "\"\r\n");
    ASSERT_EQ(testing_support::ImportWithRegedit(file), std::optional<DWORD>(0));
  }

  void WriteSettings(const std::string& text) { WriteBytes(ini_, text); }
  std::string PortSection(int saveType) {
    return "[PPP1:]\r\nSaveType=" + std::to_string(saveType) +
           "\r\nShowPDF=0\r\nSaveToFolder=" + saveFolder_ + "\r\n";
  }
  std::string LocationSection() { return "[GhostScript]\r\nLocation=" + gsFolder_ + "\r\n"; }
  std::string ReadSetting(const std::string& section, const std::string& key) {
    char value[1024] = {};
    ::GetPrivateProfileStringA(section.c_str(), key.c_str(), "<absent>", value, sizeof value,
                               ini_.c_str());
    return value;
  }

  // A spool file as the spooler leaves it for the monitor.
  std::string Spool(const std::string& dataFile, const std::string& name) {
    std::string spool = dir_.File("spool\\" + name);
    fs::copy_file(DataFile(dataFile), spool);
    return spool;
  }

  // The product, started exactly as the port monitor starts it.
  std::unique_ptr<StartedProcess> StartJob(const std::string& spool) {
    auto job = std::make_unique<StartedProcess>("\"" + program_ + "\" \"" + spool + "\" \"PPP1:\"");
    EXPECT_TRUE(job->Started()) << program_;
    return job;
  }
  std::optional<DWORD> RunJob(const std::string& spool) {
    return StartJob(spool)->WaitForExit(kJobTimeout);
  }

  int Pages(const std::string& pdf) {
    auto info = RunUnixCommand("pdfinfo " + UnixQuote(testing_support::UnixPath(pdf).value_or("")));
    size_t at = info.output.find("Pages:");
    if (info.exitCode != 0 || at == std::string::npos) return -1;
    return std::stoi(info.output.substr(at + 6));
  }
  std::string Text(const std::string& pdf) {
    return RunUnixCommand("pdftotext " + UnixQuote(testing_support::UnixPath(pdf).value_or("")) +
                          " -")
        .output;
  }
  std::string GhostscriptLog() { return ReadBytes(gsFolder_ + "\\gswin32c.log"); }
  static std::string TempFolder() {
    char folder[MAX_PATH + 1] = {};
    ::GetTempPathA(sizeof folder, folder);
    return folder;
  }
  // The response file the stand-in was given last, as it logs it, with the
  // job's own output file in the temporary folder written "<temporary>".
  std::string ResponseFile() {
    const std::string log = GhostscriptLog();
    const std::string mark = "response file:\r\n";
    size_t at = log.rfind(mark);
    if (at == std::string::npos) return "";
    at += mark.size();
    std::string text = log.substr(at, log.find("gs command:", at) - at);
    const std::string output = " -sOutputFile=\"" + TempFolder();
    size_t path = text.find(output);
    if (path != std::string::npos) {
      size_t end = text.find('"', path + output.size());
      text.replace(path + 15, end - path - 15, "<temporary>");
    }
    return text;
  }
  std::string ExpectedResponseFile() {
    return "\"-I" + dir_.File("Program Files\\gs\\gs8.54\\lib") + ";" +
           dir_.File("Program Files\\gs\\fonts") +
           "\"\r\n"
           " -sDEVICE=pdfwrite\r\n -dBATCH\r\n -dNOPAUSE\r\n -dSAFER\r\n -q\r\n"
           " -sOutputFile=\"<temporary>\"\r\n -c save pop\r\n -f\r\n";
  }
  // Nothing of a job is left in its temporary folder, the Ghostscript folder
  // or the program's.
  void ExpectNoResponseFileLeft() {
    for (const std::string& folder : {gsFolder_, appFolder_, TempFolder()}) {
      for (const auto& entry : fs::directory_iterator(folder)) {
        const std::string name = entry.path().filename().string();
        EXPECT_FALSE(name.ends_with(".rsp") || name.ends_with(".unix") ||
                     (name.starts_with("pdf") && name.ends_with(".tmp")))
            << folder << name;
      }
    }
  }

  testing_support::ScratchDir dir_;
  std::string appFolder_ = dir_.File("PDF Printer");
  std::string program_ = appFolder_ + "\\pdfprinter.exe";
  std::string ini_ = appFolder_ + "\\pdfprinter.ini";
  std::string gsFolder_ = dir_.File("Program Files\\gs\\gs8.54\\bin");
  std::string saveFolder_ = dir_.File("My PDFs");
  std::string dataFolder_ = dir_.File("AppData");
};

TEST_F(JobUnderWine, AutomaticNamesHoldTheConvertedPages) {
  InstallGhostscript();
  WriteSettings(LocationSection() + PortSection(1));
  const std::string first = Spool("multipage.ps", "00001.SPL");
  const std::string second = Spool("pjl_job.prn", "00002.SPL");

  // A short job shows no progress window at any time.
  auto job = StartJob(first);
  std::optional<DWORD> exitCode;
  for (auto start = std::chrono::steady_clock::now();
       !(exitCode = job->WaitForExit(50ms)) && std::chrono::steady_clock::now() - start < 60s;) {
    EXPECT_EQ(testing_support::FindTopLevelWindow(job->Id(), "PDF Printer"), nullptr);
  }
  ASSERT_EQ(exitCode, std::optional<DWORD>(0)) << GhostscriptLog();
  EXPECT_EQ(Pages(saveFolder_ + "\\pdf_01.pdf"), 3) << GhostscriptLog();
  std::string text = Text(saveFolder_ + "\\pdf_01.pdf");
  EXPECT_NE(text.find("First page: quarterly report"), std::string::npos) << text;
  EXPECT_NE(text.find("Third page: golf hotel india"), std::string::npos) << text;
  EXPECT_EQ(ResponseFile(), ExpectedResponseFile());

  ASSERT_EQ(RunJob(second), std::optional<DWORD>(0)) << GhostscriptLog();
  EXPECT_EQ(Pages(saveFolder_ + "\\pdf_02.pdf"), 1) << GhostscriptLog();
  EXPECT_NE(Text(saveFolder_ + "\\pdf_02.pdf").find("Printed through the PJL header"),
            std::string::npos);
  EXPECT_EQ(ResponseFile(), ExpectedResponseFile());

  const std::string log = GhostscriptLog();
  const std::string command =
      "command line: \"" + gsFolder_ + "\\gswin32c.exe\" @\"" + TempFolder();
  const size_t at = log.rfind(command);
  ASSERT_NE(at, std::string::npos) << log;
  // The page reports, the spool file, then the document's information.
  const std::string files = log.substr(log.find("pages.ps\"", at));
  EXPECT_EQ(files.substr(0, second.size() + 13), "pages.ps\" \"" + second + "\" ");
  EXPECT_EQ(files.substr(files.find("\r\n") - 11, 13), "docinfo.ps\"\r\n");
  ExpectNoResponseFileLeft();
  EXPECT_EQ(ReadSetting("Log", "LastInputFile"), second);
  EXPECT_EQ(ReadBytes(second), ReadBytes(DataFile("pjl_job.prn"))) << "spool file changed";
  // Ghostscript's page reports came through its output to the job's log.
  const std::string records = ReadBytes(dataFolder_ + "\\PDF Printer\\jobs.log");
  EXPECT_NE(
      records.find("\tPPP1:\tThree pages\tsaved as " + saveFolder_ + "\\pdf_01.pdf (3 pages)\t"),
      std::string::npos)
      << records;
  EXPECT_NE(records.find("saved as " + saveFolder_ + "\\pdf_02.pdf (1 page)\t"), std::string::npos)
      << records;
}

TEST_F(JobUnderWine, EmptyLocationIsFoundInTheRegistryAndStored) {
  InstallGhostscript();
  SeedRegistry();
  WriteSettings("[GhostScript]\r\nLocation=\r\n" + PortSection(1));

  ASSERT_EQ(RunJob(Spool("multipage.ps", "00003.SPL")), std::optional<DWORD>(0))
      << GhostscriptLog();
  EXPECT_EQ(ReadSetting("GhostScript", "Location"), gsFolder_);
  EXPECT_EQ(Pages(saveFolder_ + "\\pdf_01.pdf"), 3) << GhostscriptLog();
}

// Jobs at once share nothing: each a PDF of its own, none hung, and the
// settings file they all read (and record in) stays whole.
TEST_F(JobUnderWine, TwelveJobsAtOnceIntoOneFolder) {
  InstallGhostscript();
  const std::string settings = LocationSection() + PortSection(1);
  WriteSettings(settings);
  std::vector<std::unique_ptr<StartedProcess>> jobs;
  std::set<std::string> spools;
  for (int n = 10; n < 22; ++n) {
    spools.insert(Spool("multipage.ps", "000" + std::to_string(n) + ".SPL"));
  }
  for (const std::string& spool : spools) jobs.push_back(StartJob(spool));
  for (auto& job : jobs) EXPECT_EQ(job->WaitForExit(kJobTimeout), std::optional<DWORD>(0));
  for (int n = 1; n <= 12; ++n) {
    EXPECT_EQ(Pages(saveFolder_ + "\\pdf_" + (n < 10 ? "0" : "") + std::to_string(n) + ".pdf"), 3)
        << n << GhostscriptLog();
  }
  EXPECT_FALSE(fs::exists(saveFolder_ + "\\pdf_13.pdf"));
  EXPECT_EQ(ReadSetting("GhostScript", "Location"), gsFolder_);
  EXPECT_EQ(ReadSetting("PPP1:", "SaveType"), "1");
  EXPECT_EQ(ReadSetting("PPP1:", "SaveToFolder"), saveFolder_);
  EXPECT_EQ(spools.count(ReadSetting("Log", "LastInputFile")), 1u);
  const std::string ini = ReadBytes(ini_);
  EXPECT_EQ(ini.substr(0, settings.size()), settings);
  ExpectNoResponseFileLeft();
}

// A save folder near the path limit: no name fits in it, and the job says so
// instead of taking a name it cannot test; the PDF there stays as it was,
// and the print is kept in the Unsaved folder.
TEST_F(JobUnderWine, AFolderNearThePathLimitIsAClearErrorAndOverwritesNothing) {
  InstallGhostscript();
  std::string deep = saveFolder_;
  while (deep.size() < 251)
    deep += "\\" + std::string(std::min<size_t>(40, 250 - deep.size()), 'd');
  ASSERT_EQ(deep.size(), 251u);
  std::string unixDeep =
      testing_support::UnixPath(saveFolder_).value_or("") + deep.substr(saveFolder_.size());
  std::replace(unixDeep.begin(), unixDeep.end(), '\\', '/');
  ASSERT_EQ(RunUnixCommand("mkdir -p " + UnixQuote(unixDeep) + " && printf old >" +
                           UnixQuote(unixDeep + "/pdf_01.pdf"))
                .exitCode,
            0);
  WriteSettings(LocationSection() + "[PPP1:]\r\nSaveType=1\r\nShowPDF=0\r\nSaveToFolder=" + deep +
                "\r\n");
  auto job = StartJob(Spool("multipage.ps", "00030.SPL"));
  HWND box = testing_support::WaitForTopLevelWindow(job->Id(), "Error", kJobTimeout, job->Handle());
  ASSERT_NE(box, nullptr) << "no \"Error\" box; exit code "
                          << job->WaitForExit(0ms).value_or(STILL_ACTIVE);
  // Broken into lines a box can show.
  const std::string text = testing_support::MessageBoxText(box);
  EXPECT_NE(testing_support::Unbroken(text).find(deep), std::string::npos) << text;
  for (size_t start = 0, end; start < text.size(); start = end + 1) {
    end = std::min(text.find('\n', start), text.size());
    EXPECT_LE(end - start, 120u) << text;
  }
  ASSERT_TRUE(testing_support::PressButton(box, "OK"));
  EXPECT_EQ(job->WaitForExit(kWindowTimeout), std::optional<DWORD>(1));
  EXPECT_EQ(RunUnixCommand("cat " + UnixQuote(unixDeep + "/pdf_01.pdf")).output, "old");
  const std::string kept = dataFolder_ + "\\PDF Printer\\Unsaved\\pdf_01.pdf";
  EXPECT_NE(testing_support::Unbroken(text).find("The PDF was kept in " + kept + "."),
            std::string::npos)
      << text;
  EXPECT_EQ(Pages(kept), 3) << GhostscriptLog();
}

// A job that no user can see (started in a window station of its own, as
// the spooler's session 0 is): nothing waits for an answer. A port that asks
// gets the automatic name; a failure ends the job with exit code 1.
TEST_F(JobUnderWine, InAWindowStationOfItsOwnNothingWaits) {
  InstallGhostscript();
  WriteSettings(LocationSection() +
                "[PPP1:]\r\nSaveType=0\r\nShowPDF=1\r\nSaveToFolder=" + saveFolder_ + "\r\n");
  HWINSTA own = ::CreateWindowStationA("PdfPrinterJobs", 0, WINSTA_ALL_ACCESS, nullptr);
  ASSERT_NE(own, nullptr);
  HWINSTA mine = ::GetProcessWindowStation();
  ASSERT_TRUE(::SetProcessWindowStation(own));
  HDESK desktop = ::CreateDesktopA("Default", nullptr, nullptr, 0, GENERIC_ALL, nullptr);
  ::SetProcessWindowStation(mine);
  ASSERT_NE(desktop, nullptr);
  auto start = [&](const std::string& spool) {
    return std::make_unique<StartedProcess>("\"" + program_ + "\" \"" + spool + "\" \"PPP1:\"",
                                            "PdfPrinterJobs\\Default");
  };
  auto asked = start(Spool("multipage.ps", "00040.SPL"));
  EXPECT_EQ(asked->WaitForExit(kJobTimeout), std::optional<DWORD>(0)) << GhostscriptLog();
  EXPECT_EQ(Pages(saveFolder_ + "\\pdf_01.pdf"), 3) << GhostscriptLog();
  WriteBytes(dir_.File("spool\\00041.SPL"), "not PostScript at all");
  auto failing = start(dir_.File("spool\\00041.SPL"));
  EXPECT_EQ(failing->WaitForExit(kJobTimeout), std::optional<DWORD>(1));
  EXPECT_FALSE(fs::exists(saveFolder_ + "\\pdf_02.pdf"));
  // No job at all: no set-up window that nobody could close.
  for (const std::string& arguments : {std::string(), "\"" + dir_.File("spool\\gone.SPL") + "\""}) {
    SCOPED_TRACE(arguments);
    StartedProcess nothing("\"" + program_ + "\" " + arguments, "PdfPrinterJobs\\Default");
    EXPECT_EQ(nothing.WaitForExit(5s), std::optional<DWORD>(1));
  }
  ::CloseDesktop(desktop);
  ::CloseWindowStation(own);
}

class MissingGhostscriptUnderWine : public JobUnderWine {
 protected:
  // The registry names a library whose folder lacks gswin32c.exe, and the
  // settings file names no folder: nothing is found.
  void SetUp() override {
    JobUnderWine::SetUp();
    if (IsSkipped() || HasFatalFailure()) return;
    InstallGhostscript(false);
    SeedRegistry();
    WriteSettings(PortSection(1));
    job_ = StartJob(Spool("multipage.ps", "00004.SPL"));
    box_ =
        testing_support::WaitForTopLevelWindow(job_->Id(), "Error", kWindowTimeout, job_->Handle());
    ASSERT_NE(box_, nullptr) << "no \"Error\" box; exit code "
                             << job_->WaitForExit(0ms).value_or(STILL_ACTIVE);
  }

  void ExpectNothingConverted() {
    EXPECT_TRUE(fs::is_empty(saveFolder_));
    ExpectNoResponseFileLeft();
    EXPECT_EQ(ReadSetting("Log", "LastInputFile"), "<absent>");
  }

  std::unique_ptr<StartedProcess> job_;
  HWND box_ = nullptr;
};

TEST_F(MissingGhostscriptUnderWine, TheBoxNamesTheLoneBackslashAndCancelEndsTheProgram) {
  EXPECT_EQ(testing_support::MessageBoxText(box_),
            "Cannot find \\gswin32c.exe - please install/locate...");
  EXPECT_EQ(testing_support::ButtonCaptions(box_), (std::vector<std::string>{"OK", "Cancel"}));
  ASSERT_TRUE(testing_support::PressButton(box_, "Cancel"));
  EXPECT_EQ(job_->WaitForExit(kWindowTimeout), std::optional<DWORD>(0));
  ExpectNothingConverted();
  EXPECT_EQ(ReadSetting("GhostScript", "Location"), "");
}

TEST_F(MissingGhostscriptUnderWine, OkGoesOnToTheSetUpWindow) {
  ASSERT_TRUE(testing_support::PressButton(box_, "OK"));
  HWND next =
      testing_support::WaitForOtherTopLevelWindow(job_->Id(), box_, kWindowTimeout, job_->Handle());
  ASSERT_NE(next, nullptr) << "no window after OK; exit code "
                           << job_->WaitForExit(0ms).value_or(STILL_ACTIVE);
  const std::string title = testing_support::WindowText(next);
  RecordProperty("window_after_ok", title);
  EXPECT_EQ(title, "PDF Printer setup");
  EXPECT_TRUE(job_->Running());
  ::PostMessageA(next, WM_CLOSE, 0, 0);
  if (!job_->WaitForExit(kWindowTimeout)) {
    RecordProperty("closed_by", "terminate");
    job_->Terminate(255);
  }
  ExpectNothingConverted();
}

TEST_F(JobUnderWine, TheSaveDialogTakesATypedPath) {
  InstallGhostscript();
  WriteSettings(LocationSection() + PortSection(0));
  ::SetEnvironmentVariableA("REDMON_DOCNAME", "Microsoft Word - Quarterly report.docx");
  auto job = StartJob(Spool("multipage.ps", "00005.SPL"));
  ::SetEnvironmentVariableA("REDMON_DOCNAME", nullptr);
  HWND dialog = testing_support::WaitForTopLevelWindow(job->Id(), "Save PDF file as...",
                                                       kWindowTimeout, job->Handle());
  ASSERT_NE(dialog, nullptr) << "no save dialog; exit code "
                             << job->WaitForExit(0ms).value_or(STILL_ACTIVE);
  // It starts with the name the port's template gives the document.
  EXPECT_EQ(testing_support::WindowText(testing_support::FileNameField(dialog)),
            "Quarterly report.pdf");
  const std::string chosen = saveFolder_ + "\\Quarterly report.pdf";
  ASSERT_TRUE(testing_support::AcceptFileDialog(dialog, chosen));

  ASSERT_EQ(job->WaitForExit(kJobTimeout), std::optional<DWORD>(0)) << GhostscriptLog();
  EXPECT_EQ(Pages(chosen), 3) << GhostscriptLog();
  const std::string pdf = ReadBytes(chosen);
  EXPECT_NE(pdf.find("%%EOF", pdf.size() > 16 ? pdf.size() - 16 : 0), std::string::npos);
  EXPECT_EQ(ResponseFile(), ExpectedResponseFile());
  EXPECT_FALSE(fs::exists(saveFolder_ + "\\pdf_01.pdf"));
}

// A settings file the job cannot write stops no print: with a folder in its
// place nothing can be read or written, and the job goes on with the
// defaults (the save dialog) and the Ghostscript the registry names.
TEST_F(JobUnderWine, AnUnwritableSettingsFileStopsNoPrint) {
  InstallGhostscript();
  SeedRegistry();
  fs::create_directory(ini_);
  auto job = StartJob(Spool("multipage.ps", "00006.SPL"));
  HWND dialog = testing_support::WaitForTopLevelWindow(job->Id(), "Save PDF file as...",
                                                       kWindowTimeout, job->Handle());
  ASSERT_NE(dialog, nullptr) << "no save dialog; exit code "
                             << job->WaitForExit(0ms).value_or(STILL_ACTIVE);
  const std::string chosen = saveFolder_ + "\\Kept.pdf";
  ASSERT_TRUE(testing_support::AcceptFileDialog(dialog, chosen));
  ASSERT_EQ(job->WaitForExit(kJobTimeout), std::optional<DWORD>(0)) << GhostscriptLog();
  EXPECT_EQ(Pages(chosen), 3) << GhostscriptLog();
  ExpectNoResponseFileLeft();
  EXPECT_TRUE(fs::is_directory(ini_));
}

// A failed conversion is reported and leaves no PDF behind: not the pages
// made before the PostScript failed, not what Ghostscript made of junk.
TEST_F(JobUnderWine, FailingGhostscriptIsReportedAndLeavesNoPdf) {
  InstallGhostscript();
  WriteSettings(LocationSection() + PortSection(1));
  std::string junk(3000, '\0');
  uint32_t x = 1;
  for (char& c : junk) c = static_cast<char>((x = x * 1103515245u + 12345u) >> 24);
  const std::pair<const char*, std::string> spools[] = {
      {"PostScript failing after two pages",
       "%!PS\n/Helvetica findfont 20 scalefont setfont\n"
       "72 700 moveto (one) show showpage\n72 700 moveto (two) show showpage\n"
       "/undefinedthing load\n"},
      {"junk bytes", junk},
  };
  int n = 0;
  for (const auto& [what, bytes] : spools) {
    SCOPED_TRACE(what);
    const std::string spool = dir_.File("spool\\0000" + std::to_string(++n) + ".SPL");
    WriteBytes(spool, bytes);
    auto job = StartJob(spool);
    HWND box =
        testing_support::WaitForTopLevelWindow(job->Id(), "Error", kJobTimeout, job->Handle());
    ASSERT_NE(box, nullptr) << "no \"Error\" box; exit code "
                            << job->WaitForExit(0ms).value_or(STILL_ACTIVE) << "\n"
                            << GhostscriptLog();
    EXPECT_NE(testing_support::Unbroken(testing_support::MessageBoxText(box))
                  .find(saveFolder_ + "\\pdf_01.pdf"),
              std::string::npos)
        << testing_support::MessageBoxText(box);
    ASSERT_TRUE(testing_support::PressButton(box, "OK"));
    EXPECT_EQ(job->WaitForExit(kWindowTimeout), std::optional<DWORD>(1));
    EXPECT_NE(GhostscriptLog().find("gs exit code: 1"), std::string::npos) << GhostscriptLog();
    EXPECT_TRUE(fs::is_empty(saveFolder_)) << "a PDF was left behind";
  }
}

// Ghostscript reads "%" in its output name as a pattern. The PDF lands at
// exactly the path chosen, and the folder that the pattern would name keeps
// its file.
TEST_F(JobUnderWine, APercentSignInTheSaveFolderIsTakenLiterally) {
  InstallGhostscript();
  const std::string folder = dir_.File("a%%b"), lookalike = dir_.File("a%b");
  fs::create_directories(folder);
  fs::create_directories(lookalike);
  WriteBytes(lookalike + "\\pdf_01.pdf", "keep");
  WriteSettings(LocationSection() + "[PPP1:]\r\nSaveType=1\r\nShowPDF=0\r\nSaveToFolder=" + folder +
                "\r\n");
  ASSERT_EQ(RunJob(Spool("multipage.ps", "00010.SPL")), std::optional<DWORD>(0))
      << GhostscriptLog();
  EXPECT_EQ(Pages(folder + "\\pdf_01.pdf"), 3) << GhostscriptLog();
  EXPECT_EQ(ReadBytes(lookalike + "\\pdf_01.pdf"), "keep");
}

// A print appended to the PDF of the one before, through the Windows build:
// one Ghostscript run reads the PDF and the print, and the PDF is replaced.
TEST_F(JobUnderWine, APrintIsAppendedToThePdfBefore) {
  InstallGhostscript();
  WriteSettings(LocationSection() + PortSection(2) + "NameTemplate=inbox\r\nIfFileExists=2\r\n");
  ASSERT_EQ(RunJob(Spool("multipage.ps", "00070.SPL")), std::optional<DWORD>(0))
      << GhostscriptLog();
  ASSERT_EQ(RunJob(Spool("pjl_job.prn", "00071.SPL")), std::optional<DWORD>(0)) << GhostscriptLog();
  EXPECT_EQ(Pages(saveFolder_ + "\\inbox.pdf"), 4) << GhostscriptLog();
  const std::string text = Text(saveFolder_ + "\\inbox.pdf");
  EXPECT_LT(text.find("Third page: golf hotel india"), text.find("Printed through the PJL header"));
  EXPECT_EQ(std::distance(fs::directory_iterator(saveFolder_), fs::directory_iterator()), 1);
}

// A settings file an earlier version wrote in the legacy code page (1252,
// this test program's own) still works: "J\xFCrgen" is the folder "Jürgen".
TEST_F(JobUnderWine, ASettingsFileInTheLegacyCodePageStillWorks) {
  InstallGhostscript();
  saveFolder_ = dir_.File("") + "J\xFCrgen";
  WriteSettings(LocationSection() + PortSection(1));
  ASSERT_EQ(RunJob(Spool("multipage.ps", "00011.SPL")), std::optional<DWORD>(0))
      << GhostscriptLog();
  EXPECT_EQ(Pages(saveFolder_ + "\\pdf_01.pdf"), 3) << GhostscriptLog();
  // The job's own write of the file converted the line, and the next job
  // reads the same folder.
  EXPECT_NE(ReadBytes(ini_).find("J\xC3\xBCrgen"), std::string::npos) << ReadBytes(ini_);
  ASSERT_EQ(RunJob(Spool("multipage.ps", "00013.SPL")), std::optional<DWORD>(0));
  EXPECT_EQ(Pages(saveFolder_ + "\\pdf_02.pdf"), 3) << GhostscriptLog();
}

// Settings files as users and their tools save them: in UTF-16 with its
// byte-order mark (Notepad's "Unicode"), which the system reads and writes
// itself, and with lines ended by a lone CR, where a legacy line is
// converted alone and a UTF-8 value keeps its bytes. Every setting survives
// the jobs' writes.
TEST_F(JobUnderWine, SettingsFilesInUtf16OrWithLoneCrsKeepEverySetting) {
  InstallGhostscript();
  const std::string cafe = "Caf\xC3\xA9";  // UTF-8, as the program reads it
  auto utf16 = [](const std::string& ascii) {
    std::string bytes = "\xFF\xFE";
    for (char c : ascii) bytes += std::string{c, '\0'};
    return bytes;
  };
  const struct {
    const char* what;
    std::string bytes, savedIn;
    int jobs;
    std::vector<std::string> kept;  // bytes the file still holds afterwards
  } cases[] = {
      {"UTF-16LE", utf16(LocationSection() + PortSection(1)), saveFolder_, 3, {"\xFF\xFE[\0"}},
      {"lone CRs",
       Replaced(LocationSection() + PortSection(1), "\r\n", "\r") + "Note=J\xFCrgen\r",
       dir_.File("") + cafe,
       1,
       {"SaveToFolder=" + dir_.File("") + cafe + "\r", "Note=J\xC3\xBCrgen\r"}},
  };
  int spool = 50;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    WriteSettings(Replaced(c.bytes, saveFolder_, c.savedIn));
    for (int n = 1; n <= c.jobs; ++n) {
      ASSERT_EQ(RunJob(Spool("multipage.ps", "000" + std::to_string(++spool) + ".SPL")),
                std::optional<DWORD>(0))
          << GhostscriptLog();
      const std::string pdf = "pdf_0" + std::to_string(n) + ".pdf";
      const std::string utf8 = c.savedIn + "\\" + pdf;
      EXPECT_TRUE(fs::is_regular_file(fs::path(reinterpret_cast<const char8_t*>(utf8.c_str()))))
          << pdf;
    }
    const std::string after = ReadBytes(ini_);
    for (const std::string& kept : c.kept) EXPECT_NE(after.find(kept), std::string::npos) << after;
    EXPECT_EQ(ReadSetting("GhostScript", "Location"), gsFolder_);
    EXPECT_EQ(ReadSetting("PPP1:", "SaveType"), "1");
    fs::remove_all(saveFolder_);
    fs::create_directories(saveFolder_);
  }
}

// A settings file of an earlier version on a full disk: its conversion is
// written beside it and takes its place whole, or not at all; it is never
// cut. Full: the job still prints (without its record); with room again,
// the next job converts it.
TEST_F(JobUnderWine, ALegacySettingsFileOnAFullDiskIsWholeOrUnchanged) {
  InstallGhostscript();
  const std::string small = dir_.File("small");
  fs::create_directories(small);
  const std::string unixSmall = testing_support::UnixPath(small).value_or("");
  auto mounted = RunUnixCommand("mount -t tmpfs -o size=1536k none " + UnixQuote(unixSmall));
  if (mounted.exitCode != 0) GTEST_SKIP() << "no tmpfs of its own to fill: " << mounted.output;
  struct Unmount {
    std::string folder;
    ~Unmount() { RunUnixCommand("umount -l " + UnixQuote(folder)); }
  } unmount{unixSmall};
  appFolder_ = small + "\\PDF Printer";
  program_ = appFolder_ + "\\pdfprinter.exe";
  ini_ = appFolder_ + "\\pdfprinter.ini";
  fs::create_directories(appFolder_);
  fs::copy_file(FromLinux(PDFPRINTER_EXE), program_);
  std::string legacy = LocationSection() + PortSection(1);
  for (int n = 1; n <= 300; ++n)
    legacy += "[Section " + std::to_string(n) + "]\r\nName=J\xFCrgen " + std::to_string(n) + "\r\n";
  WriteSettings(legacy);
  auto full = RunUnixCommand("dd if=/dev/zero of=" + UnixQuote(unixSmall + "/filler") +
                             " bs=4096 2>/dev/null; df -k --output=avail " + UnixQuote(unixSmall) +
                             " | tail -n 1");
  ASSERT_EQ(std::atoi(full.output.c_str()), 0) << "the disk is not full: " << full.output;
  ASSERT_EQ(RunJob(Spool("multipage.ps", "00062.SPL")), std::optional<DWORD>(0))
      << GhostscriptLog();
  EXPECT_EQ(ReadBytes(ini_), legacy);
  EXPECT_EQ(Pages(saveFolder_ + "\\pdf_01.pdf"), 3);

  fs::remove(small + "\\filler");
  ASSERT_EQ(RunJob(Spool("multipage.ps", "00063.SPL")), std::optional<DWORD>(0))
      << GhostscriptLog();
  const std::string converted = ReadBytes(ini_);
  EXPECT_EQ(converted.find('\xFC'), std::string::npos);
  EXPECT_NE(converted.find("Name=J\xC3\xBCrgen 300\r\n"), std::string::npos) << converted;
  EXPECT_EQ(ReadSetting("Log", "LastInputFile"), dir_.File("spool\\00063.SPL"));
}

// Another program holds the settings lock (anyone may take it): a job waits
// a few seconds at most, then prints without writing its record.
TEST_F(JobUnderWine, ALockHeldByAnotherProgramDelaysAJobAFewSecondsAtMost) {
  InstallGhostscript();
  WriteSettings(LocationSection() + PortSection(1));
  const std::string marker = dir_.File("held");
  StartedProcess holder("\"" + OwnFolder() + "hold_settings_lock.exe\" \"" + marker + "\" 120");
  ASSERT_TRUE(holder.Started());
  for (int i = 0; i < 100 && !fs::exists(marker); ++i) ::Sleep(100);
  ASSERT_TRUE(fs::exists(marker)) << "the lock was never taken: exit code "
                                  << holder.WaitForExit(0ms).value_or(STILL_ACTIVE);
  const auto start = std::chrono::steady_clock::now();
  ASSERT_EQ(RunJob(Spool("multipage.ps", "00060.SPL")), std::optional<DWORD>(0))
      << GhostscriptLog();
  const auto took = std::chrono::steady_clock::now() - start;
  EXPECT_GE(took, 5s);
  EXPECT_LT(took, 60s);
  EXPECT_TRUE(holder.Running()) << "the lock was let go";
  EXPECT_EQ(Pages(saveFolder_ + "\\pdf_01.pdf"), 3) << GhostscriptLog();
  EXPECT_EQ(ReadSetting("Log", "LastInputFile"), "<absent>");
}

// A job ended from outside (taskkill /f) takes its Ghostscript with it, and
// leaves nothing in the save folder that looks like a PDF.
TEST_F(JobUnderWine, AJobEndedFromOutsideTakesGhostscriptWithIt) {
  InstallGhostscript();
  WriteSettings(LocationSection() + PortSection(1));
  const std::string pidFile = gsFolder_ + "\\gswin32c.pid";
  ::SetEnvironmentVariableA("GSWIN32C_SLEEP_MS", "120000");
  auto job = StartJob(Spool("multipage.ps", "00061.SPL"));
  ::SetEnvironmentVariableA("GSWIN32C_SLEEP_MS", nullptr);
  for (int i = 0; i < 300 && ReadBytes(pidFile).empty(); ++i) ::Sleep(100);
  const DWORD ghostscript = std::strtoul(ReadBytes(pidFile).c_str(), nullptr, 10);
  ASSERT_NE(ghostscript, 0u) << "the stand-in never ran";
  platform::win32::ScopedKernelHandle process(::OpenProcess(SYNCHRONIZE, FALSE, ghostscript));
  ASSERT_TRUE(process.IsValid());
  job->Terminate(1);
  EXPECT_EQ(::WaitForSingleObject(process.Get(), 10000), WAIT_OBJECT_0) << "Ghostscript runs on";
  for (const auto& entry : fs::directory_iterator(saveFolder_)) {
    EXPECT_NE(entry.path().extension(), ".pdf") << entry.path();
  }
  // Ended so, the job could not remove its own temporary folder.
  for (const auto& entry : fs::directory_iterator(TempFolder())) {
    const std::string name = entry.path().filename().string();
    if (entry.is_directory() && name.starts_with("pdf") && name.ends_with(".tmp"))
      fs::remove_all(entry.path());
  }
}

// A job that takes its time shows its progress after about two seconds,
// the pages rising as Ghostscript reports them; "Cancel" ends the job and
// its Ghostscript, with exit code 0 and no PDF.
TEST_F(JobUnderWine, ALongJobShowsItsProgressAndCancelEndsIt) {
  InstallGhostscript();
  WriteSettings(LocationSection() + PortSection(1));
  const std::string pidFile = gsFolder_ + "\\gswin32c.pid";
  ::SetEnvironmentVariableA("GSWIN32C_SLEEP_MS", "120000");
  ::SetEnvironmentVariableA("GSWIN32C_PAGE_MS", "200");
  const auto started = std::chrono::steady_clock::now();
  auto job = StartJob(Spool("multipage.ps", "00071.SPL"));
  ::SetEnvironmentVariableA("GSWIN32C_SLEEP_MS", nullptr);
  ::SetEnvironmentVariableA("GSWIN32C_PAGE_MS", nullptr);
  HWND window =
      testing_support::WaitForTopLevelWindow(job->Id(), "PDF Printer", 30s, job->Handle());
  ASSERT_NE(window, nullptr) << "no progress window";
  EXPECT_GE(std::chrono::steady_clock::now() - started, 1900ms);
  EXPECT_EQ(testing_support::WindowText(::GetDlgItem(window, 101)), "Three pages");
  auto page = [&] {
    const std::string status = testing_support::WindowText(::GetDlgItem(window, 102));
    return std::atol(status.c_str());
  };
  const long first = page();
  ::Sleep(1500);
  const long later = page();
  EXPECT_GT(later, first) << testing_support::WindowText(::GetDlgItem(window, 102));
  const DWORD ghostscript = std::strtoul(ReadBytes(pidFile).c_str(), nullptr, 10);
  ASSERT_NE(ghostscript, 0u) << "the stand-in never ran";
  platform::win32::ScopedKernelHandle process(::OpenProcess(SYNCHRONIZE, FALSE, ghostscript));
  ASSERT_TRUE(testing_support::PressButton(window, "Cancel"));
  EXPECT_EQ(job->WaitForExit(kJobTimeout), std::optional<DWORD>(0));
  if (process.IsValid()) {
    EXPECT_EQ(::WaitForSingleObject(process.Get(), 10000), WAIT_OBJECT_0) << "Ghostscript runs on";
  }
  EXPECT_TRUE(fs::is_empty(saveFolder_));
  ExpectNoResponseFileLeft();
  EXPECT_NE(ReadBytes(dataFolder_ + "\\PDF Printer\\jobs.log").find("\tcancelled\t"),
            std::string::npos);
}

// A user's whole path: a port added in the window, a printer attached to
// it, its options chosen in the window, and a job started with the port's
// own "Arguments" as the monitor starts it.
class PortSetUpUnderWine : public JobUnderWine {
 protected:
  void SetUp() override {
    JobUnderWine::SetUp();
    testing_support::RemovePortsAndPrinters({"PDF Printer"});
  }
  void TearDown() override {
    testing_support::RemovePortsAndPrinters({"PDF Printer"});
    JobUnderWine::TearDown();
  }
};

TEST_F(PortSetUpUnderWine, AJobFollowsTheOptionsChosenInTheWindow) {
  InstallGhostscript();
  WriteSettings(LocationSection());
  {
    testing_support::SetupWindowProcess window(program_);
    ASSERT_NE(window.Window(), nullptr) << "no set-up window";
    ::SendMessageA(window.Control("BtnAddPort"), BM_CLICK, 0, 0);
    ASSERT_EQ(window.PressOk(), std::optional<DWORD>(0));
  }
  const std::string printer = dir_.File("printer.reg");
  WriteBytes(printer,
             "Windows Registry Editor Version 5.00\r\n\r\n"
             "[HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Control\\Print\\Printers\\"
             "PDF Printer]\r\n\"Port\"=\"PPP1:\"\r\n");
  ASSERT_EQ(testing_support::ImportWithRegedit(printer), std::optional<DWORD>(0));
  {
    testing_support::SetupWindowProcess window(program_);
    ASSERT_NE(window.Window(), nullptr) << "no set-up window";
    ASSERT_EQ(testing_support::WindowText(window.Control("GroupBox3")), "PDF Printer details");
    ::SendMessageA(window.Control("RBTSaveAs"), BM_CLICK, 0, 0);
    ::SendMessageA(window.Control("CHBShowPDF"), BM_CLICK, 0, 0);  // no viewer under test
    HWND folder = window.Control("EditSaveTo");
    ::SendMessageA(folder, EM_SETSEL, 0, -1);  // typing replaces "c:\"
    for (char c : saveFolder_) ::SendMessageA(folder, WM_CHAR, static_cast<unsigned char>(c), 1);
    ASSERT_EQ(window.PressOk(), std::optional<DWORD>(0));
  }

  // The monitor puts the spool file in place of %1 and starts the result.
  auto key = platform::Current().registry->OpenKey(
      "SYSTEM\\CurrentControlSet\\Control\\Print\\Monitors\\Redirected Port\\Ports\\PPP1:",
      platform::kKeyRead);
  ASSERT_TRUE(key);
  const std::string arguments = platform::ReadRegistryString(*key, "Arguments");
  ASSERT_NE(arguments.find("%1"), std::string::npos) << arguments;
  const std::string spool = Spool("multipage.ps", "00008.SPL");
  StartedProcess job(Replaced(arguments, "%1", spool));
  ASSERT_EQ(job.WaitForExit(kJobTimeout), std::optional<DWORD>(0)) << GhostscriptLog();
  EXPECT_EQ(Pages(saveFolder_ + "\\pdf_01.pdf"), 3) << GhostscriptLog();
}

// Names in any script, typed by a user: a save folder in Cyrillic in the
// window, a file name in Japanese in the save dialog, and the job's
// temporary folder in Cyrillic too, so that the response file names it. A
// Ghostscript of today (the stand-in reads as it does: UTF-8, other bytes
// dropped) makes the PDF under exactly those names.
TEST_F(PortSetUpUnderWine, NamesInAnyScriptTypedByTheUser) {
  gsFolder_ = dir_.File("Program Files\\gs\\gs10.04.0\\bin");
  fs::create_directories(gsFolder_);
  InstallGhostscript();
  WriteSettings(LocationSection() + "[PPP1:]\r\nSaveType=0\r\nShowPDF=0\r\n");
  const std::string ports = "HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Control\\Print\\";
  WriteBytes(dir_.File("port.reg"), "Windows Registry Editor Version 5.00\r\n\r\n[" + ports +
                                        "Monitors\\Redirected Port\\Ports\\PPP1:]\r\n\r\n[" +
                                        ports + "Printers\\PDF Printer]\r\n\"Port\"=\"PPP1:\"\r\n");
  ASSERT_EQ(testing_support::ImportWithRegedit(dir_.File("port.reg")), std::optional<DWORD>(0));
  // The scratch folder's path is ASCII: as UTF-8 it is the same bytes.
  const std::string folder = dir_.File("") + "Отчёты";
  {
    testing_support::SetupWindowProcess window(program_);
    ASSERT_NE(window.Window(), nullptr) << "no set-up window";
    ASSERT_TRUE(testing_support::TypeText(window.Control("EditSaveTo"), folder));
    ASSERT_EQ(window.PressOk(), std::optional<DWORD>(0));
  }
  EXPECT_NE(ReadBytes(ini_).find("SaveToFolder=" + folder + "\r\n"), std::string::npos)
      << ReadBytes(ini_);

  const fs::path temporary = fs::path(dir_.File("")) / L"Временные";
  fs::create_directories(temporary);
  // In the job's environment only: the test's own helpers need a folder
  // that their code page can name.
  const std::string kept = TempFolder();
  for (const wchar_t* name : {L"TMP", L"TEMP"}) ::SetEnvironmentVariableW(name, temporary.c_str());
  auto job = StartJob(Spool("multipage.ps", "00012.SPL"));
  for (const char* name : {"TMP", "TEMP"}) ::SetEnvironmentVariableA(name, kept.c_str());
  HWND dialog = testing_support::WaitForTopLevelWindow(job->Id(), "Save PDF file as...",
                                                       kWindowTimeout, job->Handle());
  ASSERT_NE(dialog, nullptr) << "no save dialog";
  ASSERT_TRUE(testing_support::TypeText(testing_support::FileNameField(dialog), "報告書"));
  ASSERT_TRUE(testing_support::PressButton(dialog, IDOK));
  ASSERT_EQ(job->WaitForExit(kJobTimeout), std::optional<DWORD>(0)) << GhostscriptLog();

  const fs::path pdf = fs::path(dir_.File("")) / L"Отчёты" / L"報告書.pdf";
  ASSERT_TRUE(fs::is_regular_file(pdf)) << GhostscriptLog();
  EXPECT_GT(fs::file_size(pdf), 1000u);
  EXPECT_NE(GhostscriptLog().find("\\Временные\\"), std::string::npos) << GhostscriptLog();
  EXPECT_TRUE(fs::is_empty(temporary));
}

// A Windows user's round trip: the installer run silently into the prefix's
// "Program Files"; the installed window finds a 64-bit "GPL Ghostscript"
// (only gswin64c.exe) and adds a port, and a print job through the
// installed copy runs that Ghostscript; a silent uninstall keeps the
// settings, the extension list and the port; installed again and removed
// with /REMOVESETTINGS, nothing is left.
class InstallerUnderWine : public JobUnderWine {
 protected:
  static constexpr char kUninstallKey[] =
      "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\PDF Printer";

  void SetUp() override {
    JobUnderWine::SetUp();
    if (IsSkipped() || HasFatalFailure()) return;
    char programFiles[MAX_PATH] = {}, menu[MAX_PATH] = {};
    ::SHGetFolderPathA(nullptr, CSIDL_PROGRAM_FILES, nullptr, 0, programFiles);
    ::SHGetFolderPathA(nullptr, CSIDL_COMMON_PROGRAMS, nullptr, 0, menu);
    folder_ = std::string(programFiles) + "\\PDF Printer";
    menuFolder_ = std::string(menu) + "\\PDF Printer";
    program_ = folder_ + "\\pdfprinter.exe";
    ini_ = folder_ + "\\pdfprinter.ini";
    TearDown();
  }
  void TearDown() override {
    std::error_code ignored;
    fs::remove_all(folder_, ignored);
    fs::remove_all(menuFolder_, ignored);
    platform::Current().registry->DeleteKeyTree(kUninstallKey);
    testing_support::RemovePortsAndPrinters({});
    RemoveGhostscriptKeys();
  }

  void Install() {
    StartedProcess setup("\"" + FromLinux(PDFPRINTER_INSTALLER) + "\" /S /D=" + folder_);
    ASSERT_EQ(setup.WaitForExit(kJobTimeout), std::optional<DWORD>(0));
  }
  // The uninstaller goes on in a copy of itself: it is done when its entry
  // in "Add or remove programs" is gone.
  void Uninstall(const std::string& options) {
    StartedProcess uninstall("\"" + folder_ + "\\uninstall.exe\" /S" + options);
    ASSERT_EQ(uninstall.WaitForExit(kJobTimeout), std::optional<DWORD>(0));
    for (int i = 0; i < 600 && !UninstallValue("DisplayName").empty(); ++i) ::Sleep(100);
    ASSERT_EQ(UninstallValue("DisplayName"), "");
  }
  std::string UninstallValue(const std::string& name) {
    auto key = platform::Current().registry->OpenKey(kUninstallKey, platform::kKeyRead);
    return key ? platform::ReadRegistryString(*key, name) : "";
  }
  std::vector<std::string> FilesLeft() {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder_)) {
      names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
  }

  std::string folder_, menuFolder_;
};

TEST_F(InstallerUnderWine, InstallFindGhostscriptPrintAndUninstall) {
  ASSERT_NO_FATAL_FAILURE(Install());
  EXPECT_EQ(FilesLeft(), (std::vector<std::string>{"LICENSE.txt", "README.txt", "docs",
                                                   "pdfprinter.exe", "uninstall.exe"}));
  EXPECT_TRUE(fs::exists(menuFolder_ + "\\PDF Printer setup.lnk"));
  // The README is plain text: no Markdown marks left.
  const std::string readme = ReadBytes(folder_ + "\\README.txt");
  EXPECT_EQ(readme.rfind("PDF Printer for Windows users\r\n=====", 0), 0u);
  for (const char* mark : {"**", "](", "```", "<!--", "\n#", "`"}) {
    EXPECT_EQ(readme.find(mark), std::string::npos) << mark;
  }
  EXPECT_EQ(UninstallValue("DisplayVersion"), PDFPRINTER_VERSION);
  EXPECT_EQ(UninstallValue("UninstallString"), "\"" + folder_ + "\\uninstall.exe\"");

  InstallGplGhostscript();
  WriteSettings(PortSection(1));
  // The monitor's programs, which the user adds for "Add new port"; gone
  // again before the uninstaller runs.
  const std::string monitorPrograms[] = {folder_ + "\\redrun.exe", folder_ + "\\rr_set.exe"};
  for (const std::string& monitorProgram : monitorPrograms) WriteBytes(monitorProgram, "");
  {
    testing_support::SetupWindowProcess window(program_);
    ASSERT_NE(window.Window(), nullptr) << "no set-up window";
    EXPECT_EQ(testing_support::WindowText(window.Control("EditGhost")), gsFolder_);
    EXPECT_EQ(testing_support::WindowText(window.Control("Label2")), "\xFE");
    EXPECT_FALSE(::IsWindowVisible(window.Control("BtnGhostFind")));
    ::SendMessageA(window.Control("BtnAddPort"), BM_CLICK, 0, 0);
    ASSERT_EQ(window.PressOk(), std::optional<DWORD>(0));
  }
  for (const std::string& monitorProgram : monitorPrograms) fs::remove(monitorProgram);
  ASSERT_EQ(RunJob(Spool("multipage.ps", "00009.SPL")), std::optional<DWORD>(0))
      << GhostscriptLog();
  EXPECT_EQ(Pages(saveFolder_ + "\\pdf_01.pdf"), 3) << GhostscriptLog();
  EXPECT_NE(GhostscriptLog().find("command line: \"" + gsFolder_ + "\\gswin64c.exe\" @"),
            std::string::npos)
      << GhostscriptLog();

  ASSERT_NO_FATAL_FAILURE(Uninstall(""));
  EXPECT_EQ(FilesLeft(), (std::vector<std::string>{"context_list.txt", "pdfprinter.ini"}));
  EXPECT_FALSE(fs::exists(menuFolder_));
  EXPECT_TRUE(platform::Current().registry->OpenKey(
      "SYSTEM\\CurrentControlSet\\Control\\Print\\Monitors\\Redirected Port\\Ports\\PPP1:",
      platform::kKeyRead));

  ASSERT_NO_FATAL_FAILURE(Install());
  EXPECT_EQ(ReadSetting("PPP1:", "SaveType"), "1");  // kept
  ASSERT_NO_FATAL_FAILURE(Uninstall(" /REMOVESETTINGS"));
  EXPECT_FALSE(fs::exists(folder_));
}

}  // namespace
