// The real set-up window of pdfprinter.exe under Wine, read from outside
// through window messages and compared with the layout table.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <map>
#include <string>

#include "platform/win32/scoped_handle.h"
#include "platform/win32/windows_api.h"
#include "resources/setup_window_layout.h"
#include "support/scratch_dir.h"
#include "toolkit/win32/control_ids.h"
#include "win32/remote_buffer.h"
#include "win32/setup_window_process.h"
#include "win32/started_process.h"
#include "win32/unix_command.h"
#include "win32/window_driver.h"

namespace {

using toolkit::ControlKind;
using toolkit::ControlLayout;
using namespace std::chrono_literals;
using testing_support::ControlId;
using testing_support::RemoteBuffer;

std::string ExpectedClass(ControlKind kind) {
  switch (kind) {
    case ControlKind::kPageControl:
      return WC_TABCONTROLA;
    case ControlKind::kTabSheet:
      return toolkit::win32::kPageClass;
    case ControlKind::kListView:
      return WC_LISTVIEWA;
    case ControlKind::kComboBox:
      return "ComboBox";
    case ControlKind::kEdit:
    case ControlKind::kMemo:
      return "Edit";
    case ControlKind::kLabel:
    case ControlKind::kImage:
      return "Static";
    default:
      return "Button";
  }
}

bool HasText(ControlKind kind) {
  return kind != ControlKind::kListView && kind != ControlKind::kPageControl &&
         kind != ControlKind::kImage && kind != ControlKind::kTabSheet &&
         kind != ControlKind::kComboBox;
}

bool TakesTab(ControlKind kind) {
  switch (kind) {
    case ControlKind::kPageControl:
    case ControlKind::kEdit:
    case ControlKind::kMemo:
    case ControlKind::kButton:
    case ControlKind::kRadioButton:
    case ControlKind::kCheckBox:
    case ControlKind::kListView:
    case ControlKind::kComboBox:
      return true;
    default:
      return false;
  }
}

RECT RectInClient(HWND control, HWND window) {
  RECT rect;
  ::GetWindowRect(control, &rect);
  ::MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

BOOL CALLBACK CollectChild(HWND child, LPARAM children) {
  (*reinterpret_cast<std::map<int, HWND>*>(children))[::GetDlgCtrlID(child)] = child;
  return TRUE;
}

class SetupWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    exe = dir.File("pdfprinter.exe");
    auto built = testing_support::WindowsPath(PDFPRINTER_EXE);
    ASSERT_TRUE(built) << PDFPRINTER_EXE;
    std::filesystem::copy_file(*built, exe);
    // No PDF kept unsaved: a data folder of the test's own.
    ::SetEnvironmentVariableA("LOCALAPPDATA", dir.File("AppData").c_str());
    process = std::make_unique<testing_support::StartedProcess>("\"" + exe + "\"");
    ::SetEnvironmentVariableA("LOCALAPPDATA", nullptr);
    ASSERT_TRUE(process->Started());
    window = testing_support::WaitForTopLevelWindow(process->Id(), "PDF Printer setup", 30s,
                                                    process->Handle());
    ASSERT_NE(window, nullptr) << "no set-up window";
    ::EnumChildWindows(window, CollectChild, reinterpret_cast<LPARAM>(&children));
  }
  void TearDown() override {
    if (process && process->Running()) process->Terminate(99);
  }

  HWND Control(const std::string& name) {
    auto found = children.find(ControlId(name));
    return found == children.end() ? nullptr : found->second;
  }
  const ControlLayout& Layout(const std::string& name) {
    return *resources::FindSetupWindowControl(name);
  }
  // The layout position in the window's client area: the page's display
  // area plus the offsets of the group boxes on the way.
  POINT Origin(const ControlLayout& entry) {
    POINT origin{0, 0};
    for (const char* parent = entry.parent; *parent; parent = Layout(parent).parent) {
      const auto& outer = Layout(parent);
      if (outer.kind == ControlKind::kTabSheet) {
        RECT page = RectInClient(Control(parent), window);
        origin.x += page.left;
        origin.y += page.top;
        break;
      }
      origin.x += outer.left;
      origin.y += outer.top;
    }
    return origin;
  }
  // The control is the container or lies in it.
  bool Within(const ControlLayout& entry, const std::string& container) {
    if (entry.name == container) return true;
    for (const char* parent = entry.parent; *parent; parent = Layout(parent).parent) {
      if (parent == container) return true;
    }
    return false;
  }

  testing_support::ScratchDir dir;
  std::string exe;
  std::unique_ptr<testing_support::StartedProcess> process;
  HWND window = nullptr;
  std::map<int, HWND> children;
};

TEST_F(SetupWindowTest, WindowIsAFixedDialogCentredOnTheScreen) {
  RECT client;
  ::GetClientRect(window, &client);
  EXPECT_EQ(client.right, 402);
  EXPECT_EQ(client.bottom, 556);
  LONG style = ::GetWindowLongA(window, GWL_STYLE);
  EXPECT_TRUE((style & WS_CAPTION) == WS_CAPTION && (style & WS_SYSMENU));
  EXPECT_FALSE(style & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX));
  RECT frame;
  ::GetWindowRect(window, &frame);
  EXPECT_NEAR(frame.left + frame.right, ::GetSystemMetrics(SM_CXSCREEN), 1);
  EXPECT_NEAR(frame.top + frame.bottom, ::GetSystemMetrics(SM_CYSCREEN), 1);
}

TEST_F(SetupWindowTest, ControlsStandWhereTheLayoutPutsThem) {
  RECT tabs = RectInClient(Control("PageControl1"), window);
  for (const auto& entry : resources::SetupWindowControls()) {
    if (entry.kind == ControlKind::kOpenDialog || entry.kind == ControlKind::kImageList) continue;
    SCOPED_TRACE(entry.name);
    HWND control = Control(entry.name);
    ASSERT_NE(control, nullptr);
    EXPECT_EQ(testing_support::WindowClassName(control), ExpectedClass(entry.kind));
    if (HasText(entry.kind)) {
      EXPECT_EQ(testing_support::WindowText(control), entry.caption);
    }
    RECT rect = RectInClient(control, window);
    if (entry.kind == ControlKind::kTabSheet) {
      // A page fills the tab control's display area, below the tabs.
      EXPECT_GT(rect.left, tabs.left);
      EXPECT_GT(rect.top, tabs.top + 15);
      EXPECT_LT(rect.right, tabs.right);
      EXPECT_LT(rect.bottom, tabs.bottom);
    } else {
      POINT origin = Origin(entry);
      EXPECT_EQ(rect.left, origin.x + entry.left);
      EXPECT_EQ(rect.top, origin.y + entry.top);
      EXPECT_EQ(rect.right - rect.left, entry.width);
      EXPECT_EQ(rect.bottom - rect.top, entry.height);
    }
    LONG style = ::GetWindowLongA(control, GWL_STYLE);
    EXPECT_EQ(::IsWindowEnabled(control) != FALSE, entry.enabled);
    // With no port listed, the window's first fill hides "Printer details".
    EXPECT_EQ(::IsWindowVisible(control) != FALSE,
              entry.visible && !Within(entry, "TabSheet2") && !Within(entry, "GroupBox3"));
    if (entry.kind == ControlKind::kRadioButton) {
      EXPECT_EQ((style & WS_TABSTOP) != 0, entry.checked);  // only a checked one takes Tab
    } else if (entry.kind != ControlKind::kTabSheet) {
      EXPECT_EQ((style & WS_TABSTOP) != 0, TakesTab(entry.kind));
    }
    if (entry.kind == ControlKind::kLabel && entry.alignment == toolkit::Alignment::kRight) {
      EXPECT_EQ(style & SS_TYPEMASK, SS_RIGHT);
    }
    if (entry.kind == ControlKind::kCheckBox || entry.kind == ControlKind::kRadioButton) {
      EXPECT_EQ(::SendMessageA(control, BM_GETCHECK, 0, 0) == BST_CHECKED, entry.checked);
    }
  }
  EXPECT_TRUE(::GetWindowLongA(Control("MemFiles"), GWL_STYLE) & WS_VSCROLL);
}

TEST_F(SetupWindowTest, ListAndTabsCarryTheirCaptions) {
  HWND list = Control("ListView1");
  LONG style = ::GetWindowLongA(list, GWL_STYLE);
  EXPECT_EQ(style & LVS_TYPEMASK, LVS_REPORT);
  EXPECT_TRUE(style & LVS_SINGLESEL);
  EXPECT_TRUE(style & LVS_SHOWSELALWAYS);
  EXPECT_TRUE(style & LVS_NOSORTHEADER);
  EXPECT_TRUE(::SendMessageA(list, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0) & LVS_EX_FULLROWSELECT);
  EXPECT_EQ(::SendMessageA(list, LVM_GETITEMCOUNT, 0, 0), 0);
  // The rows' 16 x 16 picture list (its pixels are the row picture's).
  EXPECT_NE(::SendMessageA(list, LVM_GETIMAGELIST, LVSIL_SMALL, 0), 0);

  RemoteBuffer buffer(process->Handle(), 4096);
  const size_t kText = 1024;
  int index = 0;
  for (const auto& column : resources::SetupWindowListColumns()) {
    SCOPED_TRACE(column.caption);
    LVCOLUMNA asked{};
    asked.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
    asked.pszText = buffer.Address() + kText;
    asked.cchTextMax = 256;
    buffer.Write(0, &asked, sizeof asked);
    ASSERT_TRUE(
        ::SendMessageA(list, LVM_GETCOLUMNA, index++, reinterpret_cast<LPARAM>(buffer.Address())));
    LVCOLUMNA answer{};
    buffer.Read(0, &answer, sizeof answer);
    char text[256] = {};
    buffer.Read(kText, text, sizeof text - 1);
    EXPECT_STREQ(text, column.caption);
    EXPECT_EQ(answer.cx, column.width);
    int format = column.alignment == toolkit::Alignment::kCenter ? LVCFMT_CENTER : LVCFMT_LEFT;
    EXPECT_EQ(answer.fmt & LVCFMT_JUSTIFYMASK, format);
  }
  EXPECT_FALSE(
      ::SendMessageA(list, LVM_GETCOLUMNA, index, reinterpret_cast<LPARAM>(buffer.Address())));

  HWND tabs = Control("PageControl1");
  ASSERT_EQ(::SendMessageA(tabs, TCM_GETITEMCOUNT, 0, 0), 2);
  const char* captions[] = {"PDF Printer", "Batch converter"};
  for (int i = 0; i < 2; ++i) {
    TCITEMA asked{};
    asked.mask = TCIF_TEXT;
    asked.pszText = buffer.Address() + kText;
    asked.cchTextMax = 256;
    buffer.Write(0, &asked, sizeof asked);
    ::SendMessageA(tabs, TCM_GETITEMA, i, reinterpret_cast<LPARAM>(buffer.Address()));
    char text[256] = {};
    buffer.Read(kText, text, sizeof text - 1);
    EXPECT_STREQ(text, captions[i]);
  }
  EXPECT_EQ(::SendMessageA(tabs, TCM_GETCURSEL, 0, 0), 0);
}

TEST_F(SetupWindowTest, ClickingTheSecondTabShowsItsPage) {
  HWND tabs = Control("PageControl1");
  RemoteBuffer buffer(process->Handle(), sizeof(RECT));
  ASSERT_TRUE(::SendMessageA(tabs, TCM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(buffer.Address())));
  RECT item;
  buffer.Read(0, &item, sizeof item);
  LPARAM at = MAKELPARAM((item.left + item.right) / 2, (item.top + item.bottom) / 2);
  ::SendMessageA(tabs, WM_LBUTTONDOWN, MK_LBUTTON, at);
  ::SendMessageA(tabs, WM_LBUTTONUP, 0, at);
  EXPECT_EQ(::SendMessageA(tabs, TCM_GETCURSEL, 0, 0), 1);
  EXPECT_TRUE(::IsWindowVisible(Control("TabSheet2")));
  EXPECT_FALSE(::IsWindowVisible(Control("TabSheet1")));
  EXPECT_TRUE(::IsWindowVisible(Control("MemFiles")));
  EXPECT_FALSE(::IsWindowVisible(Control("EditGhost")));
}

TEST_F(SetupWindowTest, TypingAGhostscriptFolderTurnsTheMarkAndHidesTheButton) {
  std::string folder = dir.File("gs");
  std::filesystem::create_directories(folder);
  testing_support::WriteBytes(folder + "\\gswin32c.exe", "exe");
  HWND edit = Control("EditGhost"), mark = Control("Label2"), find = Control("BtnGhostFind");
  EXPECT_EQ(testing_support::WindowText(mark), "\xFD");
  EXPECT_TRUE(::IsWindowVisible(find));
  for (size_t i = 0; i < folder.size(); ++i) {
    ::SendMessageA(edit, WM_CHAR, static_cast<unsigned char>(folder[i]), 1);
    if (i + 2 == folder.size()) {
      EXPECT_EQ(testing_support::WindowText(mark), "\xFD") << "one character short";
      EXPECT_TRUE(::IsWindowVisible(find));
    }
  }
  EXPECT_EQ(testing_support::WindowText(edit), folder);
  EXPECT_EQ(testing_support::WindowText(mark), "\xFE");
  EXPECT_FALSE(::IsWindowVisible(find));
  ::SendMessageA(edit, WM_CHAR, VK_BACK, 1);  // the text changes again
  EXPECT_EQ(testing_support::WindowText(mark), "\xFD");
  EXPECT_TRUE(::IsWindowVisible(find));
}

TEST_F(SetupWindowTest, BrowseDialogHoldsTheWindowUntilItCloses) {
  ::PostMessageA(Control("BtnGhostFind"), BM_CLICK, 0, 0);
  HWND dialog =
      testing_support::WaitForOtherTopLevelWindow(process->Id(), window, 15s, process->Handle());
  ASSERT_NE(dialog, nullptr) << "no dialog";
  EXPECT_EQ(::GetWindow(dialog, GW_OWNER), window);
  EXPECT_FALSE(::IsWindowEnabled(window)) << "the window takes clicks while the dialog is up";
  ASSERT_TRUE(testing_support::PressButton(dialog, IDCANCEL));
  ASSERT_TRUE(testing_support::WaitForWindowGone(dialog, 10s));
  EXPECT_TRUE(::IsWindowEnabled(window));
  EXPECT_TRUE(::IsWindowVisible(Control("BtnGhostFind")));  // cancelled: nothing changed
}

TEST_F(SetupWindowTest, EscapeDoesNotCloseAndOkEndsTheProgram) {
  HWND edit = Control("EditGhost");
  ::PostMessageA(edit, WM_KEYDOWN, VK_ESCAPE, 1);
  ::SendMessageA(window, WM_COMMAND, IDCANCEL, 0);
  ::SendMessageA(window, WM_COMMAND, IDOK, 0);
  EXPECT_FALSE(process->WaitForExit(500ms).has_value());
  ASSERT_TRUE(::IsWindow(window));
  ::PostMessageA(Control("BtnClose"), BM_CLICK, 0, 0);
  auto code = process->WaitForExit(10s);
  ASSERT_TRUE(code.has_value()) << "still running after OK";
  EXPECT_EQ(*code, 0u);
}

// Another program closes the window (an installer asking running programs
// to close, an automation tool pressing "OK"): the process must end too.
// PDFs kept in the user's Unsaved folder: their number, and a button that
// opens the folder.
TEST(SetupWindowUnsavedTest, TheCountAndTheButtonShowWhenPdfsWereKept) {
  testing_support::ScratchDir dir;
  const std::string unsaved = dir.File("AppData\\PDF Printer\\Unsaved");
  std::filesystem::create_directories(unsaved);
  for (const char* name : {"\\pdf_01.pdf", "\\Report.pdf", "\\notes.txt"})
    testing_support::WriteBytes(unsaved + name, "%PDF-1.4\n");
  ::SetEnvironmentVariableA("LOCALAPPDATA", dir.File("AppData").c_str());
  testing_support::SetupWindowProcess setup(testing_support::InstallProduct(dir.File("app")));
  ::SetEnvironmentVariableA("LOCALAPPDATA", nullptr);
  ASSERT_NE(setup.Window(), nullptr);
  HWND label = setup.Control("LblUnsaved");
  HWND button = setup.Control("BtnUnsaved");
  EXPECT_TRUE(::IsWindowVisible(label));
  EXPECT_EQ(testing_support::WindowText(label), "Unsaved PDFs: 2");
  EXPECT_TRUE(::IsWindowVisible(button));
  // Wine's explorer shows the folder in a window titled with its name.
  ASSERT_TRUE(testing_support::PressButton(setup.Window(), "Open folder"));
  HWND shown = nullptr;
  for (int i = 0; i < 300 && !shown; ++i, ::Sleep(100)) {
    for (HWND w = ::GetTopWindow(nullptr); w && !shown; w = ::GetWindow(w, GW_HWNDNEXT)) {
      if (::IsWindowVisible(w) && testing_support::WindowText(w) == "Unsaved" &&
          testing_support::WindowClassName(w) == "ExplorerWClass") {
        shown = w;
      }
    }
  }
  ASSERT_NE(shown, nullptr) << "no window shows the Unsaved folder";
  DWORD explorer = 0;
  ::GetWindowThreadProcessId(shown, &explorer);
  platform::win32::ScopedKernelHandle process(::OpenProcess(PROCESS_TERMINATE, FALSE, explorer));
  if (process.IsValid()) ::TerminateProcess(process.Get(), 0);
}

TEST(SetupWindowClosedFromOutsideTest, ProcessEndsWithExitCodeZero) {
  const struct {
    const char* how;
    std::function<void(HWND window)> close;
  } cases[] = {
      {"WM_CLOSE sent", [](HWND window) { ::SendMessageA(window, WM_CLOSE, 0, 0); }},
      {"BM_CLICK on OK sent",
       [](HWND window) {
         HWND ok = ::GetDlgItem(window, ControlId("BtnClose"));
         ASSERT_EQ(testing_support::WindowText(ok), "OK");
         ::SendMessageA(ok, BM_CLICK, 0, 0);
       }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.how);
    testing_support::ScratchDir dir;
    std::string exe = dir.File("pdfprinter.exe");
    std::filesystem::copy_file(*testing_support::WindowsPath(PDFPRINTER_EXE), exe);
    testing_support::StartedProcess process("\"" + exe + "\"");
    HWND window = testing_support::WaitForTopLevelWindow(process.Id(), "PDF Printer setup", 30s,
                                                         process.Handle());
    ASSERT_NE(window, nullptr) << "no set-up window";
    c.close(window);
    EXPECT_EQ(process.WaitForExit(5s), std::optional<DWORD>(0)) << "nothing: still running";
  }
}

}  // namespace
