// The helpers of the job tests, checked on their own under Wine: Linux
// commands with their output and exit code, path conversion, and the window
// driver against a helper program's message box and save dialog.
#include <gtest/gtest.h>

#include <filesystem>

#include "support/scratch_dir.h"
#include "tests/win32/started_process.h"
#include "tests/win32/unix_command.h"
#include "tests/win32/window_driver.h"

namespace {

using namespace std::chrono_literals;
using testing_support::ReadBytes;
using testing_support::StartedProcess;

std::string HelperPath() {
  char path[MAX_PATH + 1] = {};
  DWORD n = ::GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string self(path, n);
  return self.substr(0, self.find_last_of('\\') + 1) + "show_dialog.exe";
}

class UnixCommandUnderWine : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!testing_support::RunningUnderWine()) GTEST_SKIP() << "needs Wine";
  }
};

TEST_F(UnixCommandUnderWine, ReportsOutputAndExitCodeOfTheEndedCommand) {
  auto result = testing_support::RunUnixCommand("sleep 1; echo 'it''s out'; echo err >&2; exit 7");
  ASSERT_TRUE(result.started);
  ASSERT_TRUE(result.finished);
  EXPECT_EQ(result.exitCode, 7);
  EXPECT_EQ(result.output, "its out\nerr\n");
}

TEST_F(UnixCommandUnderWine, GivesUpAfterTheTimeOut) {
  auto begin = std::chrono::steady_clock::now();
  auto result = testing_support::RunUnixCommand("sleep 5", 500ms);
  EXPECT_TRUE(result.started);
  EXPECT_FALSE(result.finished);
  EXPECT_LT(std::chrono::steady_clock::now() - begin, 4s);
}

TEST_F(UnixCommandUnderWine, PathsConvertBothWaysAndNameTheSameFile) {
  testing_support::ScratchDir dir;
  const std::string file = dir.File("with blank 'quote'.txt");
  auto linuxPath = testing_support::UnixPath(file);
  ASSERT_TRUE(linuxPath.has_value());
  EXPECT_EQ(linuxPath->front(), '/');
  auto written = testing_support::RunUnixCommand("printf 'from linux' > " +
                                                 testing_support::UnixQuote(*linuxPath));
  ASSERT_EQ(written.exitCode, 0) << written.output;
  EXPECT_EQ(ReadBytes(file), "from linux");

  auto back = testing_support::WindowsPath(*linuxPath);
  ASSERT_TRUE(back.has_value());
  EXPECT_EQ(ReadBytes(*back), "from linux");
  EXPECT_EQ(testing_support::WindowsPath("/bin/sh").value_or(""), "Z:\\bin\\sh");
}

class WindowDriverUnderWine : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!testing_support::RunningUnderWine()) GTEST_SKIP() << "needs Wine";
  }
};

TEST_F(WindowDriverUnderWine, ReadsTheMessageBoxAndPressesCancelByCaption) {
  StartedProcess box("\"" + HelperPath() + "\" message \"Driver box\" \"Line one\nline two\"");
  ASSERT_TRUE(box.Started());
  HWND window = testing_support::WaitForTopLevelWindow(box.Id(), "Driver box", 30s, box.Handle());
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(testing_support::FindTopLevelWindow(box.Id(), "Driver bo"), nullptr);
  EXPECT_EQ(testing_support::FindTopLevelWindow(::GetCurrentProcessId(), "Driver box"), nullptr);
  EXPECT_EQ(testing_support::MessageBoxText(window), "Line one\nline two");
  EXPECT_EQ(testing_support::ButtonCaptions(window), (std::vector<std::string>{"OK", "Cancel"}));
  EXPECT_FALSE(testing_support::PressButton(window, "Retry"));
  ASSERT_TRUE(testing_support::PressButton(window, "Cancel"));
  EXPECT_EQ(box.WaitForExit(30s), std::optional<DWORD>(IDCANCEL));
  EXPECT_TRUE(testing_support::WaitForWindowGone(window, 5s));
}

TEST_F(WindowDriverUnderWine, PressesOkById) {
  StartedProcess box("\"" + HelperPath() + "\" message \"Driver box\" text");
  HWND window = testing_support::WaitForTopLevelWindow(box.Id(), "Driver box", 30s, box.Handle());
  ASSERT_NE(window, nullptr);
  ASSERT_TRUE(testing_support::PressButton(window, IDOK));
  EXPECT_EQ(box.WaitForExit(30s), std::optional<DWORD>(IDOK));
}

TEST_F(WindowDriverUnderWine, TypesAFullPathIntoTheSaveDialogAndSaves) {
  testing_support::ScratchDir dir;
  const std::string chosen = dir.File("my folder") + "\\chosen name.pdf";
  std::filesystem::create_directory(dir.File("my folder"));
  StartedProcess dialog("\"" + HelperPath() + "\" save \"Driver save\" \"" +
                        dir.File("result.txt") + "\"");
  HWND window =
      testing_support::WaitForTopLevelWindow(dialog.Id(), "Driver save", 30s, dialog.Handle());
  ASSERT_NE(window, nullptr);
  ASSERT_TRUE(testing_support::AcceptFileDialog(window, chosen));
  EXPECT_EQ(dialog.WaitForExit(30s), std::optional<DWORD>(1));
  EXPECT_EQ(ReadBytes(dir.File("result.txt")), chosen);
}

TEST_F(WindowDriverUnderWine, WaitingEndsEarlyWhenTheProcessEnds) {
  StartedProcess gone("\"" + HelperPath() + "\" nonsense x y");
  ASSERT_TRUE(gone.Started());
  auto begin = std::chrono::steady_clock::now();
  EXPECT_EQ(testing_support::WaitForTopLevelWindow(gone.Id(), "Never", 20s, gone.Handle()),
            nullptr);
  EXPECT_LT(std::chrono::steady_clock::now() - begin, 10s);
  EXPECT_EQ(gone.WaitForExit(1s), std::optional<DWORD>(254));
}

}  // namespace
