#include "procs/job_failure.h"

#include "platform/error.h"
#include "platform/services.h"

namespace procs {

namespace {

// A message box breaks its lines only at blanks, so a long path would make
// it wider than the screen: a run of more than kLine characters is broken
// after a delimiter, or past twice that anywhere (but inside a character).
std::string WithLongRunsBroken(const std::string& text) {
  constexpr size_t kLine = 60;
  std::string broken;
  size_t run = 0;
  for (char c : text) {
    broken += c;
    run = c == ' ' || c == '\n' ? 0 : run + 1;
    const bool delimiter = c == '\\' || c == '/';
    if ((run >= kLine && delimiter) || (run >= 2 * kLine && static_cast<unsigned char>(c) < 0x80)) {
      broken += '\n';
      run = 0;
    }
  }
  return broken;
}

}  // namespace

void TellUser(const std::string& text) {
  auto& services = platform::Current();
  if (services.desktop->UserCanSee()) {
    services.messageBoxes->Show(WithLongRunsBroken(text), "Error",
                                platform::kMbOk | platform::kMbIconError | platform::kMbOwnedByJob |
                                    platform::kMbSetForeground);
  } else {
    services.desktop->LogError(text);
  }
}

void FailJob(const std::string& text) {
  TellUser(text);
  throw JobFailed(text);
}

}  // namespace procs
