// Ports against Wine's real registry: a new port's key read back with
// RegEnumValueA, the spooler printers of tests/data/printers.reg imported by
// regedit, and the port list of the real set-up window driven by window
// messages from outside.
#include <gtest/gtest.h>

#include "main/spooler_printers.h"
#include "platform/win32/scoped_handle.h"
#include "procs/add_redirected_port.h"
#include "support/port_list_fixture.h"
#include "support/scratch_dir.h"
#include "win32/remote_buffer.h"
#include "win32/setup_window_process.h"
#include "win32/started_process.h"
#include "win32/window_driver.h"

namespace {

using namespace std::chrono_literals;
using testing_support::PortValues;
using testing_support::WindowText;

using StoredValues = std::vector<std::pair<std::string, platform::RegistryValue>>;

// The key's values in the registry's order.
StoredValues ValuesOf(const std::string& path) {
  StoredValues stored;
  platform::win32::ScopedRegistryKey key;
  if (::RegOpenKeyExA(HKEY_LOCAL_MACHINE, platform::RelativeRegistryPath(path).c_str(), 0, KEY_READ,
                      key.Receive()) != ERROR_SUCCESS) {
    return stored;
  }
  for (DWORD i = 0;; ++i) {
    char name[256];
    BYTE data[1024];
    DWORD length = sizeof name, type = 0, size = sizeof data;
    if (::RegEnumValueA(key.Get(), i, name, &length, nullptr, &type, data, &size) !=
        ERROR_SUCCESS) {
      break;
    }
    stored.push_back({name, {type, std::string(reinterpret_cast<char*>(data), size)}});
  }
  return stored;
}

void ExpectSameValues(const StoredValues& stored, const StoredValues& expected) {
  ASSERT_EQ(stored.size(), expected.size());
  for (size_t i = 0; i < stored.size(); ++i) {  // in the order written
    EXPECT_EQ(stored[i].first, expected[i].first);
    EXPECT_EQ(stored[i].second.type, expected[i].second.type) << expected[i].first;
    EXPECT_EQ(stored[i].second.data, expected[i].second.data) << expected[i].first;
  }
}

TEST(PortsUnderWineTest, AddRedirectedPortWritesTheTwelveValues) {
  // The program's folder has a blank, and no "rr_set.exe": that is not reported.
  platform::fake::FakeProcessInfo info{testing_support::ProgramFolder() + "setup.exe", ""};
  platform::ScopedServices scope({.processInfo = &info});
  auto& registry = *platform::Current().registry;
  uint32_t free = 1;
  while (registry.OpenKey(procs::PortKeyPath(procs::PortName(free)), platform::kKeyAllAccess))
    ++free;
  const std::string port = procs::AddRedirectedPort();
  ASSERT_EQ(port, procs::PortName(free));
  ExpectSameValues(ValuesOf(procs::PortKeyPath(port)), PortValues(port));
  EXPECT_TRUE(registry.DeleteKeyTree(procs::PortKeyPath(port)));
}

TEST(PortsUnderWineTest, PrintersFixtureSeedsWinesSpoolerKey) {
  std::string fixture = "Z:" + std::string(PDFPRINTER_SOURCE_DIR) + "/tests/data/printers.reg";
  for (char& c : fixture) c = c == '/' ? '\\' : c;
  ASSERT_EQ(testing_support::ImportWithRegedit(fixture), std::optional<DWORD>(0));
  const std::pair<const char*, const char*> cases[] = {{"PPP1:", "PDF Printer (Copy 2)"},
                                                       {"PPP2:", ""},
                                                       {"PPP2:,PPP3:", "Two Ports"},
                                                       {"PPP4:", ""},
                                                       {"ppp4:", "Lower Case"}};
  for (const auto& [port, printer] : cases) EXPECT_EQ(main_window::PrinterOnPort(port), printer);
  for (const char* printer : {"PDF Printer", "PDF Printer (Copy 2)", "Two Ports", "Lower Case"}) {
    EXPECT_TRUE(platform::Current().registry->DeleteKeyTree(testing_support::kPrintersKey + "\\" +
                                                            printer));
  }
}

// The window of a copy of the product in "PDF Tools", over a registry with
// no ports; the test's ports and printers are removed again at the end.
class PortListWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    testing_support::RemovePortsAndPrinters({"Office PDF", "Archive PDF"});
    program_ = testing_support::InstallProduct(dir_.File("PDF Tools"));
  }
  void TearDown() override {
    window_.reset();
    testing_support::RemovePortsAndPrinters({"Office PDF", "Archive PDF"});
  }
  void Start() {
    window_ = std::make_unique<testing_support::SetupWindowProcess>(program_);
    ASSERT_NE(window_->Window(), nullptr) << "no set-up window";
    list_ = window_->Control("ListView1");
  }
  HWND Control(const std::string& name) { return window_->Control(name); }
  // A click that runs its handler to the end before it returns.
  void Click(const std::string& name) { ::SendMessageA(Control(name), BM_CLICK, 0, 0); }
  bool Checked(const std::string& name) {
    return ::SendMessageA(Control(name), BM_GETCHECK, 0, 0) == BST_CHECKED;
  }
  std::string Setting(const std::string& section, const std::string& key) {
    char value[1024] = {};
    ::GetPrivateProfileStringA(section.c_str(), key.c_str(), "<absent>", value, sizeof value,
                               (dir_.File("PDF Tools") + "\\pdfprinter.ini").c_str());
    return value;
  }
  HWND Focus() {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    ::GetGUIThreadInfo(::GetWindowThreadProcessId(window_->Window(), nullptr), &info);
    return info.hwndFocus;
  }

  // The list's rows as the user sees them: caption ("*" when selected) and
  // the three columns; every row must show picture 0.
  std::vector<std::string> Rows() {
    testing_support::RemoteBuffer buffer(window_->Process().Handle(), 1024);
    std::vector<std::string> rows;
    const int count = static_cast<int>(::SendMessageA(list_, LVM_GETITEMCOUNT, 0, 0));
    for (int row = 0; row < count; ++row) {
      std::string shown;
      for (int column = 0; column < 4; ++column) {
        LVITEMA item{};
        item.mask = LVIF_TEXT | LVIF_IMAGE;
        item.iItem = row;
        item.iSubItem = column;
        item.pszText = buffer.Address() + 512;
        item.cchTextMax = 256;
        buffer.Write(0, &item, sizeof item);
        ::SendMessageA(list_, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(buffer.Address()));
        char text[257] = {};
        buffer.Read(512, text, 256);
        buffer.Read(0, &item, sizeof item);
        if (column == 0) {
          EXPECT_EQ(item.iImage, 0) << text;
        }
        shown += column ? "|" + std::string(text) : text;
        if (column == 0 && ::SendMessageA(list_, LVM_GETITEMSTATE, row, LVIS_SELECTED)) {
          shown += "*";
        }
      }
      rows.push_back(shown);
    }
    return rows;
  }
  // A left-button click in the middle of the row's caption.
  void ClickRow(int row) {
    testing_support::RemoteBuffer buffer(window_->Process().Handle(), sizeof(RECT));
    RECT bounds{LVIR_LABEL, 0, 0, 0};
    buffer.Write(0, &bounds, sizeof bounds);
    ASSERT_TRUE(
        ::SendMessageA(list_, LVM_GETITEMRECT, row, reinterpret_cast<LPARAM>(buffer.Address())));
    buffer.Read(0, &bounds, sizeof bounds);
    LPARAM at = MAKELPARAM((bounds.left + bounds.right) / 2, (bounds.top + bounds.bottom) / 2);
    ::SendMessageA(list_, WM_LBUTTONDOWN, MK_LBUTTON, at);
    ::SendMessageA(list_, WM_LBUTTONUP, 0, at);
  }
  // The "Printer details" group: hidden, or its caption, folder, the two
  // radio buttons, the check box.
  std::string Details() {
    const bool shown = ::IsWindowVisible(Control("GroupBox3"));
    for (const char* inside : {"Label5", "EditSaveTo", "BtnSelDir", "RBTSaveAs", "Button1"}) {
      EXPECT_EQ(::IsWindowVisible(Control(inside)) != FALSE, shown) << inside;
    }
    if (!shown) return "hidden";
    return WindowText(Control("GroupBox3")) + "|" + WindowText(Control("EditSaveTo")) + "|" +
           (Checked("RBTprompt") ? "prompt" : "") + (Checked("RBTSaveAs") ? "numbered" : "") + "|" +
           (Checked("CHBShowPDF") ? "show" : "");
  }

  testing_support::ScratchDir dir_;
  std::string program_;
  std::unique_ptr<testing_support::SetupWindowProcess> window_;
  HWND list_ = nullptr;
};

TEST_F(PortListWindowTest, AddedPortIsListedAnnouncedAndDeletedWithItsSubkeys) {
  Start();
  EXPECT_TRUE(Rows().empty());
  EXPECT_FALSE(::IsWindowEnabled(Control("BtnDelPort")));

  Click("BtnAddPort");
  EXPECT_EQ(Rows(), std::vector<std::string>{"PPP1:*|||"});
  ExpectSameValues(ValuesOf(procs::PortKeyPath("PPP1:")), PortValues("PPP1:", program_));
  EXPECT_EQ(Focus(), list_);
  EXPECT_TRUE(::IsWindowEnabled(Control("BtnDelPort")));
  EXPECT_EQ(Details(), "hidden");

  // Posted: the box holds the click until it closes.
  ::PostMessageA(Control("BtnAddPrinter"), BM_CLICK, 0, 0);
  HWND box = testing_support::WaitForTopLevelWindow(window_->Process().Id(), "Information", 15s);
  ASSERT_NE(box, nullptr) << "no instructions";
  EXPECT_EQ(testing_support::MessageBoxText(box),
            "A PDF printer will now be added:\r"
            "1. Click OK: the printer \"PDF Printer\" is added on port PPP1:\r"
            "   with a PostScript driver that Windows ships (Microsoft PS Class Driver (Windows 8 "
            "and later) or MS Publisher Color Printer (Vista, 7)).\r"
            "2. If you have Ghostscript installed then you can print a test page.");
  EXPECT_EQ(testing_support::ButtonCaptions(box), (std::vector<std::string>{"OK", "Cancel"}));
  ASSERT_TRUE(testing_support::PressButton(box, "Cancel"));
  ASSERT_TRUE(testing_support::WaitForWindowGone(box, 10s));

  // OK: Wine has no PostScript driver to give, so the box says why and the
  // wizard's instructions follow; the window goes on answering.
  ::PostMessageA(Control("BtnAddPrinter"), BM_CLICK, 0, 0);
  box = testing_support::WaitForTopLevelWindow(window_->Process().Id(), "Information", 15s);
  ASSERT_NE(box, nullptr) << "no instructions";
  ASSERT_TRUE(testing_support::PressButton(box, "OK"));
  ASSERT_TRUE(testing_support::WaitForWindowGone(box, 10s));
  box = testing_support::WaitForTopLevelWindow(window_->Process().Id(), "pdfprinter", 15s);
  ASSERT_NE(box, nullptr) << "no error box";
  const std::string why = testing_support::MessageBoxText(box);
  EXPECT_TRUE(why.rfind("No PostScript printer driver that Windows ships", 0) == 0 ||
              why.rfind("The printer \"PDF Printer\" could not be added on port PPP1:", 0) == 0)
      << why;
  ASSERT_TRUE(testing_support::PressButton(box, "OK"));
  ASSERT_TRUE(testing_support::WaitForWindowGone(box, 10s));
  box = testing_support::WaitForTopLevelWindow(window_->Process().Id(), "Information", 15s);
  ASSERT_NE(box, nullptr) << "no wizard instructions";
  EXPECT_NE(testing_support::MessageBoxText(box).find(
                "3. Important - Use a PostScript driver: Microsoft PS Class Driver"),
            std::string::npos);
  ASSERT_TRUE(testing_support::PressButton(box, "OK"));
  ASSERT_TRUE(testing_support::WaitForWindowGone(box, 10s));
  DWORD_PTR answer = 0;
  EXPECT_TRUE(
      ::SendMessageTimeoutA(window_->Window(), WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 1000, &answer));
  EXPECT_EQ(Rows(), std::vector<std::string>{"PPP1:*|||"});

  auto& registry = *platform::Current().registry;
  ASSERT_TRUE(
      registry.CreateKey(procs::PortKeyPath("PPP1:") + "\\Sub\\Deeper", platform::kKeyAllAccess));
  Click("BtnDelPort");
  EXPECT_TRUE(Rows().empty());
  EXPECT_FALSE(registry.OpenKey(procs::PortKeyPath("PPP1:"), platform::kKeyRead));
  EXPECT_FALSE(::IsWindowEnabled(Control("BtnDelPort")));
}

TEST_F(PortListWindowTest, RefreshShowsPrintersAndTheDetailsFollowTheList) {
  auto& registry = *platform::Current().registry;
  for (const char* port : {"PPP1:", "PPP2:", "PPP3:"}) {
    ASSERT_TRUE(registry.CreateKey(procs::PortKeyPath(port), platform::kKeyAllAccess));
  }
  testing_support::WriteBytes(dir_.File("PDF Tools\\pdfprinter.ini"),
                              "[PPP1:]\r\nShowPDF=0\r\n"
                              "[PPP2:]\r\nSaveToFolder=D:\\Archive\r\nSaveType=1\r\nShowPDF=1\r\n");
  Start();
  EXPECT_EQ(Rows(), (std::vector<std::string>{"PPP1:*|||", "PPP2:|||", "PPP3:|||"}));
  EXPECT_EQ(Details(), "hidden");

  const std::string printers = dir_.File("printers.reg");
  const std::string key = "[HKEY_LOCAL_MACHINE\\" + testing_support::kPrintersKey + "\\";
  testing_support::WriteBytes(printers, "Windows Registry Editor Version 5.00\r\n\r\n" + key +
                                            "Office PDF]\r\n\"Port\"=\"PPP1:\"\r\n\r\n" + key +
                                            "Archive PDF]\r\n\"Port\"=\"PPP2:\"\r\n");
  ASSERT_EQ(testing_support::ImportWithRegedit(printers), std::optional<DWORD>(0));
  Click("BtnGetPrinters");
  EXPECT_EQ(Rows(), (std::vector<std::string>{"PPP1:*|Office PDF|c:\\|No",
                                              "PPP2:|Archive PDF|D:\\Archive|Yes", "PPP3:|||"}));
  EXPECT_EQ(Focus(), list_);
  EXPECT_EQ(Details(), "Office PDF details|c:\\|prompt|");
  EXPECT_EQ(Setting("PPP1:", "SaveType"), "<absent>") << "filling the group wrote";

  ClickRow(1);
  EXPECT_EQ(Rows(), (std::vector<std::string>{"PPP1:|Office PDF|c:\\|No",
                                              "PPP2:*|Archive PDF|D:\\Archive|Yes", "PPP3:|||"}));
  EXPECT_EQ(Details(), "Archive PDF details|D:\\Archive|numbered|show");

  // Every keystroke is saved at once.
  std::string typed = "D:\\Archive";
  ::SendMessageA(Control("EditSaveTo"), WM_KEYDOWN, VK_END, 1);
  for (char c : std::string("\\2024")) {
    ::SendMessageA(Control("EditSaveTo"), WM_CHAR, static_cast<unsigned char>(c), 1);
    typed += c;
    EXPECT_EQ(Setting("PPP2:", "SaveToFolder"), typed);
    EXPECT_EQ(Rows()[1], "PPP2:*|Archive PDF|" + typed + "|Yes");
  }
  Click("CHBShowPDF");
  EXPECT_EQ(Setting("PPP2:", "ShowPDF"), "0");
  EXPECT_EQ(Setting("PPP2:", "SaveType"), "1");
  EXPECT_EQ(Rows()[1], "PPP2:*|Archive PDF|D:\\Archive\\2024|No");
  EXPECT_EQ(Details(), "Archive PDF details|D:\\Archive\\2024|numbered|");

  // Names from a template: typed, shown for a sample document as typed, and
  // stored; what happens to a name that is taken, chosen from the list.
  Click("RBTTemplate");
  EXPECT_EQ(Setting("PPP2:", "SaveType"), "2");
  ::SendMessageA(Control("EditTemplate"), WM_KEYDOWN, VK_END, 1);
  for (char c : std::string("\\<User>")) {
    ::SendMessageA(Control("EditTemplate"), WM_CHAR, static_cast<unsigned char>(c), 1);
  }
  EXPECT_EQ(Setting("PPP2:", "NameTemplate"), "<Title>\\<User>");
  char user[257] = {};
  DWORD size = sizeof user;
  ASSERT_TRUE(::GetUserNameA(user, &size));
  EXPECT_EQ(WindowText(Control("LblPreview")),
            std::string("For example: Quarterly report\\") + user + ".pdf");
  // As a list sends a choice to its window.
  auto choose = [&](const char* name, int item) {
    HWND list = Control(name);
    ::SendMessageA(list, CB_SETCURSEL, item, 0);
    ::SendMessageA(::GetParent(list), WM_COMMAND, MAKEWPARAM(::GetDlgCtrlID(list), CBN_SELCHANGE),
                   reinterpret_cast<LPARAM>(list));
    return WindowText(list);
  };
  EXPECT_EQ(choose("CMBIfExists", 2), "Append to it");
  EXPECT_EQ(choose("CMBPdfType", 2), "PDF/A-2b");
  EXPECT_EQ(choose("CMBQuality", 1), "Screen");
  EXPECT_EQ(Setting("PPP2:", "IfFileExists"), "2");
  EXPECT_EQ(Setting("PPP2:", "PDFType"), "2");
  EXPECT_EQ(Setting("PPP2:", "Quality"), "screen");

  ClickRow(2);  // an empty port: no details
  EXPECT_EQ(Rows()[2], "PPP3:*|||");
  EXPECT_EQ(Details(), "hidden");
}

// What a first-time user meets at "Add new port" and at the window's start.
TEST_F(PortListWindowTest, MissingMonitorProgramsOtherCopiesAndPortsOfNoText) {
  auto& registry = *platform::Current().registry;
  // Without redrun.exe: the box names it and where it belongs; no port.
  std::filesystem::remove(dir_.File("PDF Tools\\redrun.exe"));
  Start();
  ::PostMessageA(Control("BtnAddPort"), BM_CLICK, 0, 0);
  HWND box = testing_support::WaitForTopLevelWindow(window_->Process().Id(), "Error", 15s);
  ASSERT_NE(box, nullptr) << "no error box";
  EXPECT_EQ(testing_support::MessageBoxText(box),
            "The \"Redirected Port\" monitor's program redrun.exe is missing: copy it into " +
                dir_.File("PDF Tools") + "\\, beside this program, and add the port again.");
  ASSERT_TRUE(testing_support::PressButton(box, "OK"));
  ASSERT_TRUE(testing_support::WaitForWindowGone(box, 10s));
  EXPECT_FALSE(registry.OpenKey(procs::PortKeyPath("PPP1:"), platform::kKeyRead));
  EXPECT_TRUE(Rows().empty());
  ASSERT_EQ(window_->PressOk(), std::optional<DWORD>(0));

  // Ports of another copy, offered at the start and pointed here on Yes; a
  // printer whose "Port" is a number is reported by the list and stops no
  // delete.
  testing_support::WriteBytes(dir_.File("PDF Tools\\redrun.exe"), "");
  for (const char* port : {"PPP1:", "PPP2:"}) {
    auto key = registry.CreateKey(procs::PortKeyPath(port), platform::kKeyAllAccess);
    ASSERT_TRUE(key && key->WriteString("Arguments", "\"C:\\Old\\pdfprinter.exe\" \"%1\" \"" +
                                                         std::string(port) + "\""));
  }
  auto numbered =
      registry.CreateKey(testing_support::kPrintersKey + "\\Office PDF", platform::kKeyAllAccess);
  ASSERT_TRUE(numbered && numbered->WriteDword("Port", 2));
  std::vector<testing_support::SetupWindowProcess::EarlyBox> boxes = {{"pdfprinter", "OK"},
                                                                      {"Warning", "Yes"}};
  window_ = std::make_unique<testing_support::SetupWindowProcess>(program_, boxes);
  ASSERT_NE(window_->Window(), nullptr) << "no set-up window";
  list_ = window_->Control("ListView1");
  EXPECT_EQ(boxes[0].text, "Invalid data type for 'Port'");
  EXPECT_EQ(boxes[1].text,
            "These ports start another copy of the program for their print jobs: PPP1:, "
            "PPP2:.\r\rPoint them at this program, " +
                program_ + "?");
  for (const char* port : {"PPP1:", "PPP2:"}) {
    ExpectSameValues(ValuesOf(procs::PortKeyPath(port)),
                     {{"Arguments", PortValues(port, program_)[0].second},
                      {"Command", PortValues(port, program_)[1].second}});
  }
  ClickRow(1);
  Click("BtnDelPort");
  EXPECT_EQ(Rows(), std::vector<std::string>{"PPP1:*|||"});
  EXPECT_FALSE(registry.OpenKey(procs::PortKeyPath("PPP2:"), platform::kKeyRead));
}

}  // namespace
