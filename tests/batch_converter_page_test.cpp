// The page "Batch converter" without a screen: the list file at the
// window's creation, typing and storing, and the two RegSvr32 runs.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "main/frm_main.h"
#include "platform/fake/fake_message_boxes.h"
#include "platform/fake/fake_process_info.h"
#include "platform/fake/fake_processes.h"
#include "platform/fake/fake_profile.h"
#include "platform/fake/fake_registry.h"
#include "platform/fake/fake_services.h"
#include "platform/services.h"
#include "support/native_profile.h"
#include "support/scratch_dir.h"

namespace {

namespace fs = std::filesystem;
using testing_support::ReadBytes;
using testing_support::WriteBytes;

const std::string kDefault = ".doc\r\n.txt\r\n";

// The window of a program in a scratch folder (or in `programFolder`), with
// its settings in memory and fake registry, processes and message boxes; the
// list file is real.
struct Page {
  explicit Page(const std::string& programFolder = "")
      : folder(programFolder.empty() ? dir.Path() : programFolder),
        fakes((fs::path(folder) / "PDFPRINTER.EXE").string(),
              platform::fake::FakeServices::Profile::kFake) {
    info.systemFolder = dir.File("system32");
    form.MemFiles->onChange = [this](toolkit::Control& sender) {
      ++changeEvents;
      form.MemFilesChange(sender);
    };
  }
  void Create() {
    form.RunEvent([this] { form.FormCreate(form); });
  }
  void Register() {
    form.RunEvent([this] { form.BtnRegister->Click(); });
  }
  std::string InFolder(const std::string& name) const { return (fs::path(folder) / name).string(); }
  std::string List() const { return InFolder("context_list.txt"); }
  // The texts of the boxes shown so far, with "%s" standing for the list's path.
  void ExpectBoxes(std::vector<std::string> texts) const {
    for (auto& text : texts) {
      if (auto at = text.find("%s"); at != std::string::npos) text.replace(at, 2, List());
    }
    std::vector<std::string> shown;
    for (const auto& box : boxes.Shown()) shown.push_back(box.text);
    EXPECT_EQ(shown, texts);
  }

  testing_support::ScratchDir dir;
  std::string folder;
  platform::fake::FakeServices fakes;
  platform::fake::FakeProcessInfo& info = fakes.info;
  platform::fake::FakeProcesses& processes = fakes.processes;
  platform::fake::FakeMessageBoxes& boxes = fakes.boxes;
  main_window::TFrmMain form;
  int changeEvents = 0;
};

TEST(BatchConverterPageTest, TheWindowOpensWithTheStoredListAndTheButtonDisabled) {
  const struct {
    const char* what;
    std::optional<std::string> file;  // none: no list file yet
    std::string shown;
    bool changeEvent;
  } cases[] = {
      {"first start: the default is written", std::nullopt, kDefault, false},
      {"the default as stored", kDefault, kDefault, false},
      {"the default with LF only", ".doc\n.txt\n", kDefault, false},
      {"another list, LF only", ".pdf\n.rtf\n", ".pdf\r\n.rtf\r\n", true},
      {"another list, CR only", ".pdf\r.rtf\r", ".pdf\r\n.rtf\r\n", true},
      {"lone CRs and LFs among pairs", "a\r\n\n\r\rb\n\r", "a\r\n\r\n\r\n\r\nb\r\n\r\n", true},
      {"as typed: wildcards, blanks, case, no last break", "*.doc\r\n  .TXT", "*.doc\r\n  .TXT",
       true},
      {"an empty list", "", "", true},
      {"an earlier version's line in the legacy code page", ".caf\xE9\n.\xD0\x9E\n",
       ".caf\xC3\xA9\r\n.\xD0\x9E\r\n", true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Page page;
    if (c.file) WriteBytes(page.List(), *c.file);
    page.Create();
    page.ExpectBoxes({});
    EXPECT_EQ(page.form.MemFiles->Text(), c.shown);
    EXPECT_EQ(page.changeEvents, c.changeEvent ? 1 : 0);
    EXPECT_FALSE(page.form.BtnRegister->Enabled());
    // Loading never writes: the file keeps its own line breaks.
    EXPECT_EQ(ReadBytes(page.List()), c.file.value_or(kDefault));
    EXPECT_FALSE(fs::exists(page.List() + ".tmp"));
  }
}

// An error of the list step is shown and ends FormCreate; the memo keeps
// its default lines and the button stays disabled.
TEST(BatchConverterPageTest, ListErrorsAreShownAndTheWindowOpens) {
  testing_support::ScratchDir scratch;
  WriteBytes(scratch.File("file"), "");
  std::unique_ptr<testing_support::NativeWriteRefusal> refusal;
  const struct {
    const char* what;
    std::string programFolder;  // "": a scratch folder
    std::function<void(Page&)> arrange;
    std::string shown;  // "%s": the list file's path
  } cases[] = {
      {"a folder where the list file goes", "", [](Page& t) { fs::create_directory(t.List()); },
       "Cannot create file %s."},
      {"a program folder that takes no files (its path leads through a file)", scratch.File("file"),
       [](Page&) {}, "Cannot create file %s.tmp."},
      {"a longer text than the memo takes", "",
       [](Page& t) { WriteBytes(t.List(), std::string(toolkit::kMemoCapacity - 1, 'x') + "\n"); },
       "Text exceeds memo capacity."},
#ifdef _WIN32
      {"a list file held open by another program", "",
       [&refusal](Page& t) {
         WriteBytes(t.List(), ".pdf\r\n");
         refusal = testing_support::RefuseNativeWrites(t.List());
       },
       "Cannot open file %s."},
#endif
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Page page(c.programFolder);
    c.arrange(page);
    page.Create();
    refusal.reset();
    page.ExpectBoxes({c.shown});
    EXPECT_EQ(page.form.MemFiles->Text(), kDefault);
    EXPECT_FALSE(page.form.BtnRegister->Enabled());
    EXPECT_FALSE(fs::exists(page.List() + ".tmp"));
  }
  EXPECT_EQ(ReadBytes(scratch.File("file")), "");
}

TEST(BatchConverterPageTest, TypingEnablesTheButtonAndStoringRunsRegSvr32Twice) {
  const std::string sep(1, fs::path::preferred_separator);
  const struct {
    const char* what;
    std::string typed;
    bool regsvr32Missing;  // neither run starts: nothing is reported
  } cases[] = {
      {"a line added, no last break", kDefault + "*.PDF", false},
      {"leading blanks, LF kept as typed", "  .doc\n.txt\r\n", false},
      {"every line deleted", "", false},
      {"RegSvr32 missing", ".pdf\r\n", true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Page page;
    const std::string regsvr32 = "\"" + page.dir.File("system32") + sep + "RegSvr32.exe\"";
    const std::string library = "\"" + page.InFolder("morvane.dll") + "\"";
    page.Create();
    if (c.regsvr32Missing) page.processes.defaultExitCode = std::nullopt;
    bool editableWhileWaiting = true;
    page.processes.QueueRun([&](const std::string&) {
      editableWhileWaiting = page.form.BtnRegister->Enabled() || page.form.MemFiles->Enabled();
      return page.processes.defaultExitCode ? platform::LaunchResult::Exited(0)
                                            : platform::LaunchResult::NotStarted();
    });
    page.form.MemFiles->SetText(c.typed);
    EXPECT_TRUE(page.form.BtnRegister->Enabled());
    EXPECT_EQ(ReadBytes(page.List()), kDefault);  // typing stores nothing
    page.Register();
    page.ExpectBoxes({});
    EXPECT_EQ(ReadBytes(page.List()), c.typed);
    EXPECT_FALSE(fs::exists(page.List() + ".tmp"));
    EXPECT_FALSE(page.form.BtnRegister->Enabled());
    ASSERT_EQ(page.processes.calls.size(), 2u);
    const auto& unregister = page.processes.calls[0];
    const auto& reregister = page.processes.calls[1];
    EXPECT_EQ(unregister.commandLine, regsvr32 + " -u -s " + library);
    EXPECT_EQ(reregister.commandLine, regsvr32 + " " + library);
    // The second starts only once the first has ended (or 30 s have passed).
    EXPECT_TRUE(unregister.options.wait);
    EXPECT_EQ(unregister.options.waitLimit, std::chrono::milliseconds(30000));
    EXPECT_TRUE(unregister.options.dispatchMessages);
    EXPECT_FALSE(editableWhileWaiting);
    EXPECT_TRUE(page.form.MemFiles->Enabled());
    EXPECT_FALSE(reregister.options.wait);
    EXPECT_FALSE(unregister.options.hidden || reregister.options.hidden);
  }
}

// A save that fails leaves the stored list as it was: no RegSvr32 run, the
// error shown, the button still enabled, the typed text still in the memo.
TEST(BatchConverterPageTest, FailedSaveKeepsTheStoredListByteForByte) {
  const std::string stored = "*.doc\r\n  .TXT\n.rtf";
  std::unique_ptr<testing_support::NativeWriteRefusal> refusal;
  const struct {
    const char* what;
    std::function<void(Page&)> arrange;
    std::string shown;
  } cases[] = {
      {"the temporary file cannot be made",
       [](Page& t) { fs::create_directory(t.List() + ".tmp"); }, "Cannot create file %s.tmp."},
#ifdef _WIN32
      {"the list held open by another program",
       [&refusal](Page& t) { refusal = testing_support::RefuseNativeWrites(t.List()); },
       "Cannot create file %s."},
#else
      {"a full disk", [&refusal](Page&) { refusal = testing_support::RefuseNativeWrites(""); },
       "Stream write error."},
#endif
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Page page;
    WriteBytes(page.List(), stored);
    page.Create();
    page.form.MemFiles->SetText(kDefault + ".pdf\r\n");
    c.arrange(page);
    page.Register();
    refusal.reset();
    page.ExpectBoxes({c.shown});
    EXPECT_EQ(ReadBytes(page.List()), stored);
    EXPECT_FALSE(fs::is_regular_file(page.List() + ".tmp"));
    EXPECT_TRUE(page.processes.calls.empty());
    EXPECT_TRUE(page.form.BtnRegister->Enabled());
    EXPECT_EQ(page.form.MemFiles->Text(), kDefault + ".pdf\r\n");
  }
}

}  // namespace
