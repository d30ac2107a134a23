// The product started in set-up mode for a test: pdfprinter.exe copied into
// a folder of the test's own (where its settings file and list file go), its
// "PDF Printer setup" window found, and its controls reached by layout name.
#pragma once

#include <map>
#include <memory>
#include <string>

#include "platform/win32/windows_api.h"
#include "win32/started_process.h"

namespace testing_support {

// Memory in another process, for the messages that carry pointers.
class RemoteBuffer {
 public:
  RemoteBuffer(HANDLE process, size_t size);
  ~RemoteBuffer();
  RemoteBuffer(const RemoteBuffer&) = delete;
  RemoteBuffer& operator=(const RemoteBuffer&) = delete;
  char* Address() const { return static_cast<char*>(address_); }
  void Write(size_t offset, const void* data, size_t size);
  void Read(size_t offset, void* data, size_t size);

 private:
  HANDLE process_;
  void* address_;
};

// The control id of a component of the layout (kFirstControlId plus its
// index); -1 for a name the layout lacks.
int SetupWindowControlId(const std::string& name);

class SetupWindowSession {
 public:
  // Copies the built product into `folder` and starts it from there. Window()
  // is null when no window came within 30 seconds.
  explicit SetupWindowSession(const std::string& folder);
  // Ends the program if it still runs.
  ~SetupWindowSession();

  HWND Window() const { return window_; }
  StartedProcess& Process() { return *process_; }
  // The control's window; null for none.
  HWND Control(const std::string& name) const;
  // A mouse click on the tab of the page with that index.
  void ClickTab(int index);

 private:
  std::unique_ptr<StartedProcess> process_;
  HWND window_ = nullptr;
  std::map<int, HWND> children_;
};

}  // namespace testing_support
