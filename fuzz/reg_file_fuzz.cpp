// The .reg store: what is read, written and read again is the same tree,
// written the same way, in both text forms.
#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz/check.h"
#include "platform/rules/reg_file.h"

namespace {

using Key = platform::RegistryTree::Key;

bool SameTree(const Key& a, const Key& b) {
  if (a.name != b.name || a.values.size() != b.values.size() ||
      a.subkeys.size() != b.subkeys.size()) {
    return false;
  }
  for (size_t i = 0; i < a.values.size(); ++i) {
    const auto& [nameA, valueA] = a.values[i];
    const auto& [nameB, valueB] = b.values[i];
    if (nameA != nameB || valueA.type != valueB.type || valueA.data != valueB.data) return false;
    if (b.Value(nameA) != &valueB) return false;  // the look-up finds the same value
  }
  for (size_t i = 0; i < a.subkeys.size(); ++i) {
    if (b.Subkey(a.subkeys[i]->name) != b.subkeys[i].get()) return false;
    if (!SameTree(*a.subkeys[i], *b.subkeys[i])) return false;
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  platform::RegistryTree tree;
  const platform::RegFileResult first = platform::ImportRegFile(text, tree);
  if (!first.recognized) {
    FUZZ_CHECK(tree.Top().subkeys.empty());
    return 0;
  }
  const std::string exported = platform::ExportRegFile(tree);
  for (const std::string& form : {exported, platform::Utf16RegFile(exported)}) {
    platform::RegistryTree back;
    const platform::RegFileResult again = platform::ImportRegFile(form, back);
    FUZZ_CHECK(again.recognized);
    FUZZ_CHECK(again.problems.empty());
    FUZZ_CHECK(SameTree(tree.Top(), back.Top()));
    FUZZ_CHECK(platform::ExportRegFile(back) == exported);
  }
  return 0;
}
