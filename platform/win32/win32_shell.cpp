#include "platform/win32/win32_backends.h"
#include "platform/win32/windows_api.h"

namespace platform::win32 {

namespace {

const char* OrNull(const std::string& text) { return text.empty() ? nullptr : text.c_str(); }

class Win32Shell : public Shell {
 public:
  intptr_t Execute(const std::string& verb, const std::string& file,
                   const std::string& parameters, const std::string& directory,
                   int showMode) override {
    HINSTANCE result = ::ShellExecuteA(nullptr, OrNull(verb), file.c_str(), OrNull(parameters),
                                       OrNull(directory), showMode);
    return reinterpret_cast<intptr_t>(result);
  }
};

}  // namespace

std::unique_ptr<Shell> MakeShell() { return std::make_unique<Win32Shell>(); }

}  // namespace platform::win32
