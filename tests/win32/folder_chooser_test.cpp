// The real SHBrowseForFolderA behind Dialogs::ChooseFolder, answered from
// another thread as a user would: it is owned by the active window, which
// it disables while it is up.
#include <gtest/gtest.h>

#include <optional>
#include <thread>

#include "platform/win32/win32_backends.h"
#include "win32/window_driver.h"

namespace {

using namespace std::chrono_literals;

BOOL CALLBACK FindText(HWND child, LPARAM data) {
  auto* wanted = reinterpret_cast<std::pair<std::string, bool>*>(data);
  if (testing_support::WindowText(child) == wanted->first) wanted->second = true;
  return TRUE;
}

TEST(FolderChooserTest, OwnedByTheActiveWindowAndAnswersAsTheUserChose) {
  HWND owner = ::CreateWindowExA(0, "STATIC", "Owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200,
                                 100, nullptr, nullptr, ::GetModuleHandleA(nullptr), nullptr);
  ASSERT_NE(owner, nullptr);
  ::SetForegroundWindow(owner);
  ::SetActiveWindow(owner);
  ASSERT_EQ(::GetActiveWindow(), owner);
  auto dialogs = platform::win32::MakeDialogs();
  struct Case {
    const char* select;  // nullptr: cancel
    std::optional<std::string> chosen;
  };
  const Case cases[] = {{nullptr, std::nullopt},
                        {"C:\\windows", "C:\\windows"},
                        {"C:\\", "C:\\"}};  // a drive root keeps its delimiter
  for (const auto& c : cases) {
    SCOPED_TRACE(c.select ? c.select : "cancel");
    HWND seenOwner = nullptr;
    bool ownerEnabled = true;
    std::pair<std::string, bool> title{"Select output dir", false};
    std::thread user([&] {
      HWND dialog =
          testing_support::WaitForOtherTopLevelWindow(::GetCurrentProcessId(), owner, 15s);
      if (!dialog) return;
      seenOwner = ::GetWindow(dialog, GW_OWNER);
      ownerEnabled = ::IsWindowEnabled(owner);
      ::EnumChildWindows(dialog, FindText, reinterpret_cast<LPARAM>(&title));
      if (c.select) {
        ::SendMessageA(dialog, BFFM_SETSELECTIONA, TRUE, reinterpret_cast<LPARAM>(c.select));
      }
      testing_support::PressButton(dialog, c.select ? IDOK : IDCANCEL);
    });
    std::optional<std::string> chosen = dialogs->ChooseFolder("Select output dir");
    user.join();
    EXPECT_EQ(seenOwner, owner);
    EXPECT_FALSE(ownerEnabled);
    EXPECT_TRUE(title.second);
    EXPECT_EQ(chosen, c.chosen);
    EXPECT_TRUE(::IsWindowEnabled(owner));
  }
  ::DestroyWindow(owner);
}

}  // namespace
