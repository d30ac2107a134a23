// The program's code page is the process's ANSI code page (UTF-8 under the
// manifest where the system honours it); the legacy one is the ANSI code
// page of the system's language.
#include "platform/win32/code_page_conversion.h"
#include "platform/win32/win32_backends.h"
#include "platform/win32/windows_api.h"

namespace platform::win32 {

namespace {

class Win32CodePages : public CodePages {
 public:
  bool Utf8Program() override { return ::GetACP() == CP_UTF8; }
  std::string LegacyToProgram(std::string_view bytes) override {
    return ConvertCodePage(bytes, legacy_, ::GetACP());
  }
  std::string ProgramToUtf8(std::string_view text) override {
    return ConvertCodePage(text, ::GetACP(), CP_UTF8);
  }
  std::string ProgramToLegacy(std::string_view text) override {
    return ConvertCodePage(text, ::GetACP(), legacy_);
  }

 private:
  const UINT legacy_ = LegacyCodePage();
};

}  // namespace

std::unique_ptr<CodePages> MakeCodePages() { return std::make_unique<Win32CodePages>(); }

}  // namespace platform::win32
