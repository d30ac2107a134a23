// A port's name template with any title: every name it gives stays in the
// save folder, names no device, holds nothing Windows refuses, and fits
// what the system opens.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz/check.h"
#include "platform/rules/path.h"
#include "procs/name_template.h"

namespace {

namespace path = platform::path;

void Check(const std::string& nameTemplate, const procs::JobDetails& job, path::Style style) {
  const std::string folder = path::IsWindows(style) ? "C:\\PDF" : "/pdf";
  const procs::TemplateName name = procs::ExpandNameTemplate(nameTemplate, job, folder, style);
  const std::string relative = name.folders + name.FileName(123);
  FUZZ_CHECK(!name.FileName().empty());
  size_t units = folder.size() + 1;
  for (size_t start = 0; start <= relative.size();) {
    size_t end = relative.find(path::Delimiter(style), start);
    if (end == std::string::npos) end = relative.size();
    const std::string part = relative.substr(start, end - start);
    FUZZ_CHECK(!part.empty() && part != "." && part != "..");
    FUZZ_CHECK(part.back() != '.' && part.back() != ' ' && part.front() != ' ');
    if (path::IsWindows(style)) {
      FUZZ_CHECK(!path::IsDeviceName(part));
      FUZZ_CHECK(part.find_first_of(std::string(":*?\"<>|/\0", 9)) == std::string::npos);
    } else {
      FUZZ_CHECK(part.find('\0') == std::string::npos && part.size() <= 255);
    }
    start = end + 1;
  }
  for (unsigned char c : relative) units += (c & 0xC0) != 0x80 ? (c >= 0xF0 ? 2 : 1) : 0;
  // A name of few enough characters fits; a long title is cut to fit.
  if (path::IsWindows(style) && name.folders.size() < 100) FUZZ_CHECK(units <= 259);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider in(data, size);
  procs::JobDetails job;
  job.user = in.ConsumeRandomLengthString(40);
  job.computer = in.ConsumeRandomLengthString(20);
  job.when.tm_year = in.ConsumeIntegralInRange(0, 300);
  const std::string nameTemplate = in.ConsumeRandomLengthString(200);
  job.title = in.ConsumeRemainingBytesAsString();
  Check(nameTemplate, job, path::Style::Windows);
  Check(nameTemplate, job, path::Style::Posix);
  return 0;
}
