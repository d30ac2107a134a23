// A job's title from a spool file's header: any bytes give a title that is
// no longer than what the header holds and is still clean when cleaned
// again, and a title written as a hex string comes back as written.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz/check.h"
#include "procs/document_title.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string header(reinterpret_cast<const char*>(data), size);
  const std::string title = procs::PostScriptTitle(header);
  FUZZ_CHECK(title.size() <= header.size());
  const std::string clean = procs::CleanTitle(title);
  FUZZ_CHECK(clean.size() <= title.size());
  FUZZ_CHECK(procs::CleanTitle(clean).size() <= clean.size());

  static const char kHex[] = "0123456789ABCDEF";
  std::string hex;
  for (unsigned char c : header) hex += std::string{kHex[c >> 4], kHex[c & 15]};
  FUZZ_CHECK(procs::PostScriptTitle("%!PS\n%%Title: <" + hex + ">\n") == header);
  return 0;
}
