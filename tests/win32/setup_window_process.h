// The product's set-up window under Wine, driven from outside: a copy of
// pdfprinter.exe started from a folder of the test's own (its settings file
// goes beside it), and its controls found by their names in the layout.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/win32/windows_api.h"
#include "win32/started_process.h"

namespace testing_support {

// The control id the window gives a component of its layout; -1 for none.
int ControlId(const std::string& name);

// Copies the built pdfprinter.exe into the folder (made when missing), with
// the monitor's programs beside it as empty files unless told not to, and
// returns the copy's path.
std::string InstallProduct(const std::string& folder, bool withMonitorPrograms = true);

// Removes every port of the monitor and the named printers of the spooler
// from the registry.
void RemovePortsAndPrinters(const std::vector<std::string>& printers);

class SetupWindowProcess {
 public:
  // Starts the program and waits for its window; Window() is null when none
  // came. A program still running at the end is terminated.
  explicit SetupWindowProcess(const std::string& program);
  // A message box the program shows before its window: its caption, the
  // button pressed, and the box's text once it came (empty if it did not).
  struct EarlyBox {
    std::string caption, button;
    std::string text = "";
  };
  // Answers the boxes in turn, then waits for the window.
  SetupWindowProcess(const std::string& program, std::vector<EarlyBox>& boxes);

  HWND Window() const { return window_; }
  // The control's window; null when there is none.
  HWND Control(const std::string& name) const;
  StartedProcess& Process() { return process_; }
  // Presses "OK" as a user does; the program's exit code once it has ended.
  std::optional<DWORD> PressOk();
  // A mouse click on the tab of the page with that index.
  void ClickTab(int index);

 private:
  StartedProcess process_;
  HWND window_ = nullptr;
};

}  // namespace testing_support
