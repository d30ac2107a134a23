#include "win32/setup_window_process.h"

#include <chrono>
#include <filesystem>

#include "platform/services.h"
#include "procs/port_key.h"
#include "resources/setup_window_layout.h"
#include "support/scratch_dir.h"
#include "toolkit/win32/control_ids.h"
#include "win32/remote_buffer.h"
#include "win32/unix_command.h"
#include "win32/window_driver.h"

namespace testing_support {

namespace {

using namespace std::chrono_literals;

struct ChildSearch {
  int id;
  HWND found;
};

BOOL CALLBACK FindChild(HWND child, LPARAM data) {
  auto* search = reinterpret_cast<ChildSearch*>(data);
  if (::GetDlgCtrlID(child) != search->id) return TRUE;
  search->found = child;
  return FALSE;
}

}  // namespace

int ControlId(const std::string& name) {
  const auto& layout = resources::SetupWindowControls();
  for (size_t i = 0; i < layout.size(); ++i) {
    if (name == layout[i].name) return toolkit::win32::kFirstControlId + static_cast<int>(i);
  }
  return -1;
}

std::string InstallProduct(const std::string& folder, bool withMonitorPrograms) {
  std::filesystem::create_directories(folder);
  const std::string program = folder + "\\pdfprinter.exe";
  std::filesystem::copy_file(WindowsPath(PDFPRINTER_EXE).value_or(PDFPRINTER_EXE), program);
  if (withMonitorPrograms) {
    for (const char* name : {"\\redrun.exe", "\\rr_set.exe"}) WriteBytes(folder + name, "");
  }
  return program;
}

void RemovePortsAndPrinters(const std::vector<std::string>& printers) {
  auto& registry = *platform::Current().registry;
  const std::string ports = procs::PortKeyPath("");
  registry.DeleteKeyTree(ports.substr(0, ports.size() - 1));
  for (const auto& printer : printers) {
    registry.DeleteKeyTree("SYSTEM\\CurrentControlSet\\Control\\Print\\Printers\\" + printer);
  }
}

SetupWindowProcess::SetupWindowProcess(const std::string& program)
    : process_("\"" + program + "\"") {
  if (process_.Started()) {
    window_ = WaitForTopLevelWindow(process_.Id(), "PDF Printer setup", 30s, process_.Handle());
  }
}

SetupWindowProcess::SetupWindowProcess(const std::string& program, std::vector<EarlyBox>& boxes)
    : process_("\"" + program + "\"") {
  if (!process_.Started()) return;
  for (EarlyBox& expected : boxes) {
    HWND box = WaitForTopLevelWindow(process_.Id(), expected.caption, 30s, process_.Handle());
    if (!box) return;
    expected.text = MessageBoxText(box);
    if (!PressButton(box, expected.button) || !WaitForWindowGone(box, 10s)) return;
  }
  window_ = WaitForTopLevelWindow(process_.Id(), "PDF Printer setup", 30s, process_.Handle());
}

HWND SetupWindowProcess::Control(const std::string& name) const {
  ChildSearch search{ControlId(name), nullptr};
  if (window_ && search.id >= 0) {
    ::EnumChildWindows(window_, FindChild, reinterpret_cast<LPARAM>(&search));
  }
  return search.found;
}

std::optional<DWORD> SetupWindowProcess::PressOk() {
  ::PostMessageA(Control("BtnClose"), BM_CLICK, 0, 0);
  return process_.WaitForExit(10s);
}

void SetupWindowProcess::ClickTab(int index) {
  HWND tabs = Control("PageControl1");
  RemoteBuffer buffer(process_.Handle(), sizeof(RECT));
  ::SendMessageA(tabs, TCM_GETITEMRECT, index, reinterpret_cast<LPARAM>(buffer.Address()));
  RECT item;
  buffer.Read(0, &item, sizeof item);
  LPARAM at = MAKELPARAM((item.left + item.right) / 2, (item.top + item.bottom) / 2);
  ::SendMessageA(tabs, WM_LBUTTONDOWN, MK_LBUTTON, at);
  ::SendMessageA(tabs, WM_LBUTTONUP, 0, at);
}

}  // namespace testing_support
