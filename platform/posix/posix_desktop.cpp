#include <cstdio>
#include <cstdlib>

#include "platform/posix/posix_backends.h"

namespace platform::posix {

namespace {

bool Set(const char* name) {
  const char* value = std::getenv(name);
  return value && *value;
}

class PosixDesktop : public Desktop {
 public:
  bool UserCanSee() override { return Set("DISPLAY") || Set("WAYLAND_DISPLAY"); }
  void LogError(const std::string& text) override {
    std::fprintf(stderr, "PDF Printer: %s\n", text.c_str());
  }
};

}  // namespace

std::unique_ptr<Desktop> MakeDesktop() { return std::make_unique<PosixDesktop>(); }

}  // namespace platform::posix
