// A small window that follows a long piece of work: what it works on, how
// far it is, and a "Cancel" button.
#pragma once

#include <memory>
#include <string>

namespace platform {

class ProgressWindow {
 public:
  virtual ~ProgressWindow() = default;
  // Shows the status line; the window becomes visible with the first call
  // whose `show` is true and stays so. Also answers the window's messages
  // that wait (the caller's thread owns it).
  virtual void Update(const std::string& status, bool show) = 0;
  // True once the user pressed "Cancel" (or closed the window).
  virtual bool CancelPressed() = 0;
};

class ProgressWindows {
 public:
  virtual ~ProgressWindows() = default;
  // A window, not yet visible, captioned `caption`, that names `subject`;
  // it goes when the object dies. Null where there is none to show
  // (POSIX has no windows; the window could not be made).
  virtual std::unique_ptr<ProgressWindow> Open(const std::string& caption,
                                               const std::string& subject) = 0;
};

}  // namespace platform
