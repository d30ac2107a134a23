// Ghostscript's output as a job reads it: any bytes, in any pieces, make
// lines without line ends, none longer than the longest, that together
// hold every byte but the line ends; a page report read from them names a
// page above 0 and is the report of that page written again.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz/check.h"
#include "platform/rules/output_lines.h"
#include "procs/ghostscript/page_reports.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider input(data, size);
  const std::string output = input.ConsumeRemainingBytesAsString();
  std::string joined;
  platform::OutputLines lines([&](const std::string& line) {
    FUZZ_CHECK(line.size() <= platform::OutputLines::kLongest);
    FUZZ_CHECK(line.find('\n') == std::string::npos);
    joined += line;
    if (auto page = procs::ParsePageReport(line)) {
      FUZZ_CHECK(*page > 0);
      FUZZ_CHECK(line == "PDFPrinter page " + std::to_string(*page));
    }
  });
  // In pieces of the sizes the bytes themselves give.
  for (size_t at = 0; at < output.size();) {
    const size_t piece = 1 + static_cast<unsigned char>(output[at]) % 64;
    const size_t count = std::min(piece, output.size() - at);
    lines.Add(output.data() + at, count);
    at += count;
  }
  lines.Finish();
  std::string expected;
  for (size_t i = 0; i < output.size(); ++i) {
    if (output[i] == '\n') {
      if (!expected.empty() && i > 0 && output[i - 1] == '\r') expected.pop_back();
    } else {
      expected += output[i];
    }
  }
  FUZZ_CHECK(joined == expected);
  return 0;
}
