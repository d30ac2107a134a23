// The page "Batch converter" of the real window under Wine, driven through
// window messages, with a stand-in RegSvr32 in Wine's system folder.
#include <gtest/gtest.h>

#include <chrono>
#include <sstream>
#include <string>
#include <vector>

#include "platform/rules/path.h"
#include "platform/win32/win32_backends.h"
#include "platform/win32/windows_api.h"
#include "support/scratch_dir.h"
#include "win32/setup_window_process.h"
#include "win32/window_driver.h"

namespace {

using namespace std::chrono_literals;
using testing_support::ReadBytes;
using testing_support::WriteBytes;

std::string SystemFolder() {
  char folder[MAX_PATH] = {};
  ::GetSystemDirectoryA(folder, sizeof folder);
  return folder;
}

// While it lives, RegSvr32.exe in Wine's system folder is the stand-in,
// which logs each run to `log`; the original comes back afterwards.
class StandInRegSvr32 {
 public:
  explicit StandInRegSvr32(const std::string& log) : path_(SystemFolder() + "\\RegSvr32.exe") {
    original_ = ReadBytes(path_);
    std::string self = platform::win32::MakeProcessInfo()->ProgramPath();
    std::string standIn = platform::path::FolderPart(self) + "regsvr32_stand_in.exe";
    copied_ = ::CopyFileA(standIn.c_str(), path_.c_str(), FALSE) != 0;
    ::SetEnvironmentVariableA("PDFPRINTER_REGSVR32_LOG", log.c_str());
    // Wine runs its own RegSvr32 from the system folder unless told not to.
    HKEY key = nullptr;
    if (::RegCreateKeyExA(HKEY_CURRENT_USER, kOverrides, 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                          &key, nullptr) == ERROR_SUCCESS) {
      overridden_ = ::RegSetValueExA(key, "regsvr32.exe", 0, REG_SZ,
                                     reinterpret_cast<const BYTE*>("native"), 7) == ERROR_SUCCESS;
      ::RegCloseKey(key);
    }
  }
  ~StandInRegSvr32() {
    HKEY key = nullptr;
    if (overridden_ &&
        ::RegOpenKeyExA(HKEY_CURRENT_USER, kOverrides, 0, KEY_SET_VALUE, &key) == ERROR_SUCCESS) {
      ::RegDeleteValueA(key, "regsvr32.exe");
      ::RegCloseKey(key);
    }
    ::SetEnvironmentVariableA("PDFPRINTER_REGSVR32_LOG", nullptr);
    if (copied_) WriteBytes(path_, original_);
  }
  bool Placed() const { return copied_ && overridden_; }
  const std::string& Path() const { return path_; }

 private:
  std::string path_;
  std::string original_;
  bool copied_ = false;
  bool overridden_ = false;
  static constexpr char kOverrides[] = "Software\\Wine\\DllOverrides";
};

struct RegSvr32Run {
  unsigned long long start = 0, end = 0;
  std::string commandLine;
};

std::vector<RegSvr32Run> Runs(const std::string& log) {
  std::vector<RegSvr32Run> runs;
  std::istringstream lines(ReadBytes(log));
  for (std::string line; std::getline(lines, line);) {
    RegSvr32Run run;
    std::istringstream words(line);
    words >> run.start >> run.end;
    std::getline(words >> std::ws, run.commandLine);
    runs.push_back(run);
  }
  return runs;
}

TEST(BatchConverterWindowTest, TypedListIsStoredAndRegSvr32RunsTwiceInTurn) {
  testing_support::ScratchDir dir;
  const std::string list = dir.File("context_list.txt");
  const std::string log = dir.File("regsvr32.log");
  WriteBytes(list, ".doc\n.pdf\n");
  StandInRegSvr32 regsvr32(log);
  ASSERT_TRUE(regsvr32.Placed());
  // The window's RegSvr32 runs get this from its environment.
  ::SetEnvironmentVariableA("PDFPRINTER_REGSVR32_UNREGISTER_MS", "5000");
  testing_support::SetupWindowProcess session(testing_support::InstallProduct(dir.Path()));
  ::SetEnvironmentVariableA("PDFPRINTER_REGSVR32_UNREGISTER_MS", nullptr);
  ASSERT_NE(session.Window(), nullptr) << "no set-up window";
  HWND memo = session.Control("MemFiles");
  HWND button = session.Control("BtnRegister");
  session.ClickTab(1);
  EXPECT_EQ(testing_support::WindowText(memo), ".doc\r\n.pdf\r\n");
  EXPECT_FALSE(::IsWindowEnabled(button));

  // A line typed at the end, with no line break after it.
  WPARAM end = testing_support::WindowText(memo).size();
  ::SendMessageA(memo, EM_SETSEL, end, end);
  for (char c : std::string("*.TXT"))
    ::SendMessageA(memo, WM_CHAR, static_cast<unsigned char>(c), 1);
  EXPECT_TRUE(::IsWindowEnabled(button));
  EXPECT_EQ(ReadBytes(list), ".doc\n.pdf\n");  // typing stores nothing

  // A 5-second unregistering run: meanwhile the window answers within a
  // second, with the button disabled.
  ::PostMessageA(button, BM_CLICK, 0, 0);
  for (int i = 0; i < 16; ++i) {
    ::Sleep(250);
    DWORD_PTR answer = 0;
    const auto asked = std::chrono::steady_clock::now();
    EXPECT_TRUE(
        ::SendMessageTimeoutA(session.Window(), WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 1000, &answer))
        << "no answer " << i;
    EXPECT_LT(std::chrono::steady_clock::now() - asked, 1s);
    if (i > 0) {
      EXPECT_FALSE(::IsWindowEnabled(button)) << i;
    }
  }
  const auto deadline = std::chrono::steady_clock::now() + 30s;
  while ((Runs(log).size() < 2 || ::IsWindowEnabled(button)) &&
         std::chrono::steady_clock::now() < deadline) {
    ::Sleep(100);
  }
  EXPECT_EQ(ReadBytes(list), ".doc\r\n.pdf\r\n*.TXT");
  EXPECT_FALSE(::IsWindowEnabled(button));
  std::vector<RegSvr32Run> runs = Runs(log);
  ASSERT_EQ(runs.size(), 2u) << ReadBytes(log);
  const std::string library = "\"" + dir.File("morvane.dll") + "\"";
  EXPECT_EQ(runs[0].commandLine, "\"" + regsvr32.Path() + "\" -u -s " + library);
  EXPECT_EQ(runs[1].commandLine, "\"" + regsvr32.Path() + "\" " + library);
  EXPECT_LE(runs[0].end, runs[1].start) << "the registering run started while unregistering ran";
  EXPECT_GE(runs[0].end - runs[0].start, 45'000'000u) << "the unregistering run took no 5 seconds";
}

}  // namespace
