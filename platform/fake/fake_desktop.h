// A desktop a test makes visible or not; it records what is logged.
#pragma once

#include <string>
#include <vector>

#include "platform/desktop.h"

namespace platform::fake {

class FakeDesktop : public Desktop {
 public:
  bool UserCanSee() override { return visible; }
  void LogError(const std::string& text) override { logged.push_back(text); }

  bool visible = true;
  std::vector<std::string> logged;
};

}  // namespace platform::fake
