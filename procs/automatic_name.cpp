#include "procs/automatic_name.h"

#include <cstdio>
#include <string_view>
#include <vector>

#include "platform/error.h"
#include "platform/services.h"

namespace procs {

namespace {

namespace path = platform::path;

constexpr char kPrefix[] = "pdf_";
constexpr char kSuffix[] = ".pdf";
// More digits than any folder can hold names for.
constexpr size_t kMaxDigits = 9;

std::string AutomaticName(const std::string& folder, unsigned n) {
  char number[16];
  std::snprintf(number, sizeof number, "%02u", n);
  return folder + kPrefix + number + kSuffix;
}

// The lowest number that no name gives: at most one past their count.
unsigned LowestFreeNumber(const std::vector<std::string>& names) {
  std::vector<bool> taken(names.size() + 2);
  for (const auto& name : names) {
    unsigned n = AutomaticNameNumber(name);
    if (n < taken.size()) taken[n] = true;
  }
  unsigned n = 1;
  while (taken[n]) ++n;
  return n;
}

}  // namespace

unsigned AutomaticNameNumber(const std::string& fileName, path::Style style) {
  const std::string_view name = fileName;
  const size_t fixed = sizeof kPrefix - 1 + sizeof kSuffix - 1;
  if (name.size() < fixed + 2 || name.size() > fixed + kMaxDigits) return 0;
  if (!path::SameFileName(name.substr(0, sizeof kPrefix - 1), kPrefix, style) ||
      !path::SameFileName(name.substr(name.size() - (sizeof kSuffix - 1)), kSuffix, style)) {
    return 0;
  }
  const std::string_view digits = name.substr(sizeof kPrefix - 1, name.size() - fixed);
  if (digits.size() > 2 && digits[0] == '0') return 0;
  unsigned n = 0;
  for (char c : digits) {
    if (c < '0' || c > '9') return 0;
    n = n * 10 + static_cast<unsigned>(c - '0');
  }
  return n;
}

std::string FirstFreeAutomaticName(const std::string& saveFolder) {
  const std::string folder = path::AddTrailingDelimiter(saveFolder);
  auto names = platform::Current().files->ListFiles(folder, std::string(kPrefix) + "*" + kSuffix);
  return AutomaticName(folder, names ? LowestFreeNumber(*names) : 1);
}

std::string MoveToAutomaticName(const std::string& from, const std::string& saveFolder) {
  auto& files = *platform::Current().files;
  const std::string folder = path::AddTrailingDelimiter(saveFolder);
  auto names = files.ListFiles(folder, std::string(kPrefix) + "*" + kSuffix);
  for (unsigned n = names ? LowestFreeNumber(*names) : 1;; ++n) {
    const std::string name = AutomaticName(folder, n);
    const int error = files.MoveToNewName(from, name);
    if (error == 0) return name;
    if (error != platform::kErrorAlreadyExists && error != platform::kErrorFileExists) {
      throw platform::EInOutError("Cannot create " + name.substr(folder.size()) + " in " + folder +
                                      ": " + platform::InOutErrorText(error),
                                  error);
    }
  }
}

}  // namespace procs
