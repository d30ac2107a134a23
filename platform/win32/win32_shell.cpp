#include "platform/win32/win32_backends.h"
#include "platform/win32/windows_api.h"

namespace platform::win32 {

namespace {

const char* OrNull(const std::string& text) { return text.empty() ? nullptr : text.c_str(); }

class Win32Shell : public Shell {
 public:
  intptr_t Execute(const std::string& verb, const std::string& file, const std::string& parameters,
                   const std::string& directory, int showMode) override {
    HINSTANCE result = ::ShellExecuteA(nullptr, OrNull(verb), file.c_str(), OrNull(parameters),
                                       OrNull(directory), showMode);
    return reinterpret_cast<intptr_t>(result);
  }

  bool RunAsAdministrator(const std::string& program, const std::string& parameters) override {
    SHELLEXECUTEINFOA info{};
    info.cbSize = sizeof info;
    info.lpVerb = "runas";
    info.lpFile = program.c_str();
    info.lpParameters = OrNull(parameters);
    info.nShow = SW_SHOWNORMAL;
    return ::ShellExecuteExA(&info) != FALSE;
  }
};

}  // namespace

std::unique_ptr<Shell> MakeShell() { return std::make_unique<Win32Shell>(); }

}  // namespace platform::win32
