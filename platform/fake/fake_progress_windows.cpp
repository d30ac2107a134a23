#include "platform/fake/fake_progress_windows.h"

namespace platform::fake {

namespace {

class FakeProgressWindow : public ProgressWindow {
 public:
  FakeProgressWindow(FakeProgressWindows& owner, size_t index) : owner_(owner), index_(index) {}
  ~FakeProgressWindow() override { owner_.opened[index_].closed = true; }
  void Update(const std::string& status, bool show) override {
    owner_.opened[index_].updates.push_back({status, show});
  }
  bool CancelPressed() override {
    return owner_.cancelWhen && owner_.cancelWhen(owner_.opened[index_].updates);
  }

 private:
  FakeProgressWindows& owner_;
  size_t index_;
};

}  // namespace

std::unique_ptr<ProgressWindow> FakeProgressWindows::Open(const std::string& caption,
                                                          const std::string& subject) {
  opened.push_back({caption, subject, {}, false});
  return std::make_unique<FakeProgressWindow>(*this, opened.size() - 1);
}

}  // namespace platform::fake
