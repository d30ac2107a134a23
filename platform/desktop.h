// The user's desktop as a print job sees it: whether anyone can see what the
// job shows, and the log where what nobody could see is written.
#pragma once

#include <string>

namespace platform {

class Desktop {
 public:
  virtual ~Desktop() = default;
  // Whether a user can see this process's windows. Windows: false in a
  // window station without WSF_VISIBLE (a service's) and in session 0, where
  // the spooler runs its programs on Vista and later. POSIX: a display
  // ($DISPLAY or $WAYLAND_DISPLAY) is set.
  virtual bool UserCanSee() = 0;
  // Writes an error for an administrator to find. Windows: the Application
  // event log, source "PDF Printer". POSIX: standard error.
  virtual void LogError(const std::string& text) = 0;
};

}  // namespace platform
