#include "win32/setup_window_session.h"

#include <filesystem>

#include "resources/setup_window_layout.h"
#include "toolkit/win32/control_ids.h"
#include "win32/unix_command.h"
#include "win32/window_driver.h"

namespace testing_support {

namespace {

BOOL CALLBACK CollectChild(HWND child, LPARAM children) {
  (*reinterpret_cast<std::map<int, HWND>*>(children))[::GetDlgCtrlID(child)] = child;
  return TRUE;
}

}  // namespace

RemoteBuffer::RemoteBuffer(HANDLE process, size_t size)
    : process_(process),
      address_(::VirtualAllocEx(process, nullptr, size, MEM_COMMIT, PAGE_READWRITE)) {}

RemoteBuffer::~RemoteBuffer() {
  if (address_) ::VirtualFreeEx(process_, address_, 0, MEM_RELEASE);
}

void RemoteBuffer::Write(size_t offset, const void* data, size_t size) {
  ::WriteProcessMemory(process_, Address() + offset, data, size, nullptr);
}

void RemoteBuffer::Read(size_t offset, void* data, size_t size) {
  ::ReadProcessMemory(process_, Address() + offset, data, size, nullptr);
}

int SetupWindowControlId(const std::string& name) {
  const auto& layout = resources::SetupWindowControls();
  for (size_t i = 0; i < layout.size(); ++i) {
    if (name == layout[i].name) return toolkit::win32::kFirstControlId + static_cast<int>(i);
  }
  return -1;
}

SetupWindowSession::SetupWindowSession(const std::string& folder) {
  std::string exe = (std::filesystem::path(folder) / "pdfprinter.exe").string();
  auto built = WindowsPath(PDFPRINTER_EXE);
  if (!built) return;
  std::filesystem::copy_file(*built, exe, std::filesystem::copy_options::overwrite_existing);
  process_ = std::make_unique<StartedProcess>("\"" + exe + "\"");
  if (!process_->Started()) return;
  window_ = WaitForTopLevelWindow(process_->Id(), "PDF Printer setup", std::chrono::seconds(30),
                                  process_->Handle());
  if (window_) ::EnumChildWindows(window_, CollectChild, reinterpret_cast<LPARAM>(&children_));
}

SetupWindowSession::~SetupWindowSession() {
  if (process_ && process_->Running()) process_->Terminate(99);
}

HWND SetupWindowSession::Control(const std::string& name) const {
  auto found = children_.find(SetupWindowControlId(name));
  return found == children_.end() ? nullptr : found->second;
}

void SetupWindowSession::ClickTab(int index) {
  HWND tabs = Control("PageControl1");
  RemoteBuffer buffer(process_->Handle(), sizeof(RECT));
  ::SendMessageA(tabs, TCM_GETITEMRECT, index, reinterpret_cast<LPARAM>(buffer.Address()));
  RECT item;
  buffer.Read(0, &item, sizeof item);
  LPARAM at = MAKELPARAM((item.left + item.right) / 2, (item.top + item.bottom) / 2);
  ::SendMessageA(tabs, WM_LBUTTONDOWN, MK_LBUTTON, at);
  ::SendMessageA(tabs, WM_LBUTTONUP, 0, at);
}

}  // namespace testing_support
