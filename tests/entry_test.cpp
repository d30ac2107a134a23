#include "app/entry.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>

#include "app/application_error.h"
#include "platform/error.h"
#include "platform/fake/fake_desktop.h"
#include "platform/fake/fake_message_boxes.h"
#include "platform/fake/fake_process_info.h"
#include "platform/fake/fake_shell.h"
#include "platform/services.h"
#include "support/scratch_dir.h"

namespace {

using testing_support::ScratchDir;

// The eight upper-case hex digits that follow `marker` in the box text,
// followed by a full stop.
std::optional<unsigned long> OffsetAfter(const std::string& text, const std::string& marker) {
  const size_t at = text.find(marker);
  if (at == std::string::npos) return std::nullopt;
  const std::string digits = text.substr(at + marker.size(), 8);
  if (digits.size() != 8 || text.compare(at + marker.size() + 8, 1, ".") != 0 ||
      digits.find_first_not_of("0123456789ABCDEF") != std::string::npos) {
    return std::nullopt;
  }
  return std::stoul(digits, nullptr, 16);
}

// Optimised like the program, though the tests themselves are not: its size
// bounds the offset below.
[[gnu::noinline, gnu::optimize("O2")]] void RaiseFromHere() {
  throw platform::EInOutError("Disk full", 101);
}

// Runs the entry with a command line and job/set-up doubles, and records
// what happened.
class EntryTest : public ::testing::Test {
 protected:
  EntryTest() { testing_support::WriteBytes(spool, "%!PS\n"); }

  int Run(const std::string& commandLine) {
    info.SetCommandLine(commandLine);
    platform::ScopedServices scope(
        {.processInfo = &info, .messageBoxes = &boxes, .desktop = &desktop});
    return app::RunProgram({[this](const std::string& input, const platform::Arguments&) {
                              jobs.push_back(input);
                              if (raiseFromHere) RaiseFromHere();
                              if (jobError) throw platform::EIniFileException(*jobError);
                              return answers.empty() || answers[jobs.size() - 1];
                            },
                            [this] { ++setups; }});
  }

  ScratchDir dir;
  std::string spool = dir.File("00012.SPL");
  std::string other = dir.File("00013.SPL");
  platform::fake::FakeProcessInfo info{"C:\\PDF\\pdfprinter.exe", ""};
  platform::fake::FakeMessageBoxes boxes;
  platform::fake::FakeDesktop desktop;
  std::vector<std::string> jobs;
  std::vector<bool> answers;  // the job's answers in turn; empty: always true
  std::optional<std::string> jobError;
  bool raiseFromHere = false;
  int setups = 0;
};

std::string Quote(const std::string& s) { return "\"" + s + "\""; }

TEST_F(EntryTest, ChoosesTheMode) {
  testing_support::WriteBytes(other, "%!PS\n");
  struct Case {
    const char* name;
    std::string args;
    std::vector<bool> answers;
    std::vector<std::string> jobs;
    int setups;
  } cases[] = {
      {"no arguments", "", {}, {}, 1},
      {"spool file as argument 1", Quote(spool) + " \"PPP1:\"", {}, {spool}, 0},
      {"spool file as argument 2", "PPP1: " + Quote(spool), {}, {spool}, 0},
      {"a folder is no job", Quote(dir.Path()) + " \"PPP1:\"", {}, {}, 1},
      {"missing file is no job", Quote(dir.File("gone.SPL")), {}, {}, 1},
      {"folder, then spool file", Quote(dir.Path()) + " " + Quote(spool), {}, {spool}, 0},
      {"job answers false: set-up", Quote(spool) + " PPP1:", {false}, {spool}, 1},
      {"both files, first job false",
       Quote(spool) + " " + Quote(other),
       {false, true},
       {spool, other},
       0},
      {"both files, both false",
       Quote(spool) + " " + Quote(other),
       {false, false},
       {spool, other},
       1},
      {"argument 3 is never a job", "a b " + Quote(spool), {}, {}, 1},
      {"empty quotes are no argument", "\"\" " + Quote(spool), {}, {spool}, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    jobs.clear();
    setups = 0;
    answers = c.answers;
    EXPECT_EQ(Run("pdfprinter.exe " + c.args), 0);
    EXPECT_EQ(jobs, c.jobs);
    EXPECT_EQ(setups, c.setups);
    EXPECT_TRUE(boxes.Shown().empty());
  }
}

// Where no user can see a window, set-up mode never starts: nobody could end
// it. The job's own paths are unchanged.
TEST_F(EntryTest, WhereNoUserCanSeeThereIsNoSetUpMode) {
  desktop.visible = false;
  const struct {
    std::string args;
    int exitCode, setups;
    std::string logged;
  } cases[] = {
      {"", 1, 0,
       "No print job was given, and the set-up window cannot be shown where no user "
       "can see it."},
      {Quote(dir.File("gone.SPL")) + " \"PPP1:\"", 1, 0,
       "The print job " + dir.File("gone.SPL") +
           " is no existing file, and the set-up window "
           "cannot be shown where no user can see it."},
      {Quote(spool) + " \"PPP1:\"", 0, 0, ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.args);
    desktop.logged.clear();
    setups = 0;
    EXPECT_EQ(Run("pdfprinter.exe " + c.args), c.exitCode);
    EXPECT_EQ(setups, c.setups);
    EXPECT_EQ(desktop.logged.empty() ? "" : desktop.logged[0], c.logged);
    EXPECT_TRUE(boxes.Shown().empty());
  }
}

TEST_F(EntryTest, ErrorEscapingTheJobShowsApplicationErrorAndExitsWithOne) {
  jobError = "Unable to write to C:\\PDF\\pdfprinter.ini";
  EXPECT_EQ(Run("p " + Quote(spool) + " \"PPP1:\""), 1);
  EXPECT_EQ(setups, 0);
  ASSERT_EQ(boxes.Shown().size(), 1u);
  const auto& box = boxes.Shown()[0];
  EXPECT_EQ(box.caption, "Application Error");
  // Owned by the job's own window and in front, so that a hidden start-up
  // state cannot hide it.
  EXPECT_EQ(box.flags, platform::kMbOk | platform::kMbIconError | platform::kMbTaskModal |
                           platform::kMbOwnedByJob | platform::kMbSetForeground);
  const std::string head = "Exception EIniFileException in module pdfprinter.exe at ";
  EXPECT_EQ(box.text.substr(0, head.size()), head);
  EXPECT_TRUE(OffsetAfter(box.text, head).has_value()) << box.text;
  EXPECT_EQ(box.text.substr(std::min(box.text.size(), head.size() + 8)),
            ".\nUnable to write to C:\\PDF\\pdfprinter.ini.");
}

TEST_F(EntryTest, ApplicationErrorOffsetIsWhereTheErrorWasRaised) {
  // The fake module starts at RaiseFromHere, so the offset shown must be the
  // distance of the raising code from that function's start.
  info.moduleBase = reinterpret_cast<uintptr_t>(&RaiseFromHere);
  raiseFromHere = true;
  Run("p " + Quote(spool));
  ASSERT_EQ(boxes.Shown().size(), 1u);
  const std::string text = boxes.Shown()[0].text;
  const auto offset = OffsetAfter(text, " at ");
  ASSERT_TRUE(offset.has_value()) << text;
  EXPECT_LT(*offset, 512u) << text;
}

// Where the system can give administrator rights, set-up mode starts itself
// again with them and ends; declined, the window opens all the same. Job
// mode never asks.
TEST_F(EntryTest, SetUpModeStartsAgainElevatedWhereTheSystemCanGiveThem) {
  const struct {
    bool canBeElevated, accepted;
    std::string args;
    int setups;
    std::string elevated;  // the parameters it was started again with; "-" for none
  } cases[] = {
      {false, true, "a \"b c\"", 1, "-"},
      {true, true, "a \"b c\"", 0, "\"a\" \"b c\""},
      {true, false, "", 1, ""},
      {true, true, Quote(spool) + " PPP1:", 0, "-"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.args);
    platform::fake::FakeShell shell;
    shell.elevationAccepted = c.accepted;
    info.canBeElevated = c.canBeElevated;
    platform::ScopedServices scope({.shell = &shell});
    setups = 0;
    EXPECT_EQ(Run("p " + c.args), 0);
    EXPECT_EQ(setups, c.setups);
    EXPECT_EQ(shell.calls.empty() ? "-" : shell.calls[0].parameters, c.elevated);
    if (!shell.calls.empty()) {
      EXPECT_EQ(shell.calls[0].verb + " " + shell.calls[0].file, "runas C:\\PDF\\pdfprinter.exe");
    }
  }
}

TEST(ApplicationErrorTest, TextPattern) {
  struct {
    std::string text, expected;
  } cases[] = {
      {"Disk full", "Exception EInOutError in module a.exe at 0000BEEF.\nDisk full."},
      {"Done.", "Exception EInOutError in module a.exe at 0000BEEF.\nDone."},
      {"", "Exception EInOutError in module a.exe at 0000BEEF.\n"},
      {"What?", "Exception EInOutError in module a.exe at 0000BEEF.\nWhat?."},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(app::FormatApplicationError("EInOutError", "a.exe", 0xBEEF, c.text), c.expected);
  }
}

}  // namespace
