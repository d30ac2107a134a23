#include "platform/win32/scoped_handle.h"
#include "platform/win32/win32_backends.h"
#include "platform/win32/windows_api.h"

namespace platform::win32 {

namespace {

struct EventSourceTraits {
  using Handle = HANDLE;
  static Handle Invalid() { return nullptr; }
  static void Close(Handle h) { ::DeregisterEventSource(h); }
};

class Win32Desktop : public Desktop {
 public:
  bool UserCanSee() override {
    USEROBJECTFLAGS flags{};
    HWINSTA station = ::GetProcessWindowStation();
    if (station && ::GetUserObjectInformationA(station, UOI_FLAGS, &flags, sizeof flags, nullptr) &&
        !(flags.dwFlags & WSF_VISIBLE)) {
      return false;
    }
    // Session 0 has had no user's desktop since Vista.
    DWORD session = 0;
    OSVERSIONINFOA version{};
    version.dwOSVersionInfoSize = sizeof version;
    return !(::ProcessIdToSessionId(::GetCurrentProcessId(), &session) && session == 0 &&
             ::GetVersionExA(&version) && version.dwMajorVersion >= 6);
  }

  void LogError(const std::string& text) override {
    ScopedHandle<EventSourceTraits> source(::RegisterEventSourceA(nullptr, "PDF Printer"));
    if (!source.IsValid()) return;
    const char* strings[] = {text.c_str()};
    ::ReportEventA(source.Get(), EVENTLOG_ERROR_TYPE, 0, 1, nullptr, 1, 0, strings, nullptr);
  }
};

}  // namespace

std::unique_ptr<Desktop> MakeDesktop() { return std::make_unique<Win32Desktop>(); }

}  // namespace platform::win32
