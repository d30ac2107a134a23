// The path helpers, in the POSIX style and in the Windows style with and
// without double-byte lead bytes: the contracts of their header comments.
#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz/check.h"
#include "platform/rules/path.h"

namespace {

namespace path = platform::path;

void Check(const std::string& text, path::Style style, path::LeadBytes lead) {
  const bool ends = path::EndsWithDelimiter(text, style, lead);

  const std::string added = path::AddTrailingDelimiter(text, style, lead);
  FUZZ_CHECK(path::EndsWithDelimiter(added, style, lead));
  if (ends) {
    FUZZ_CHECK(added == text);
  } else {
    FUZZ_CHECK(added.compare(0, text.size(), text) == 0);
    FUZZ_CHECK(added.size() == text.size() + 1 || added.size() == text.size() + 2);
  }
  FUZZ_CHECK(path::FolderPart(added + "x", style, lead) == added);

  const std::string removed = path::RemoveTrailingDelimiter(text, style, lead);
  FUZZ_CHECK(removed == (ends ? text.substr(0, text.size() - 1) : text));

  const std::string folder = path::FolderPart(text, style, lead);
  const std::string name = path::FileNamePart(text, style, lead);
  FUZZ_CHECK(folder + name == text);
  FUZZ_CHECK(path::FolderPartLength(folder, style, lead) == folder.size());
  FUZZ_CHECK(path::FolderPartLength(name, style, lead) == 0);
  if (ends) FUZZ_CHECK(folder == text);

  const std::string changed = path::ChangeExtension(text, ".ini", style, lead);
  FUZZ_CHECK(changed.size() >= 4 && changed.compare(changed.size() - 4, 4, ".ini") == 0);
  FUZZ_CHECK(path::FolderPart(changed, style, lead) == folder);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  Check(text, path::Style::Posix, path::LeadBytes{});
  Check(text, path::Style::Windows, path::LeadBytes{});
  Check(text, path::Style::Windows, path::ShiftJisLeadBytes());
  return 0;
}
