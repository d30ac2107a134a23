// Progress windows that record every update and press "Cancel" when the
// test's rule says so.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/progress_window.h"

namespace platform::fake {

struct ProgressUpdate {
  std::string status;
  bool show = false;
};

class FakeProgressWindows : public ProgressWindows {
 public:
  struct Opened {
    std::string caption, subject;
    std::vector<ProgressUpdate> updates;
    bool closed = false;
  };

  std::unique_ptr<ProgressWindow> Open(const std::string& caption,
                                       const std::string& subject) override;

  std::vector<Opened> opened;
  // Asked at every CancelPressed with the window's updates so far.
  std::function<bool(const std::vector<ProgressUpdate>&)> cancelWhen;
};

}  // namespace platform::fake
