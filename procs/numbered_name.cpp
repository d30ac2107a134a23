#include "procs/numbered_name.h"

#include <cstdio>
#include <vector>

#include "platform/error.h"
#include "platform/services.h"

namespace procs {

namespace {

namespace path = platform::path;

// More digits than any folder can hold names for.
constexpr size_t kMaxDigits = 9;

// The lowest number of the form that no name gives: at most one past their
// count above the first.
unsigned LowestFreeNumber(const NumberedName& form, const std::vector<std::string>& names) {
  std::vector<bool> taken(names.size() + 2);
  for (const auto& name : names) {
    unsigned n = form.NumberOf(name);
    if (n >= form.first && n - form.first < taken.size()) taken[n - form.first] = true;
  }
  unsigned n = 0;
  while (taken[n]) ++n;
  return form.first + n;
}

unsigned LowestFreeNumberIn(const std::string& folder, const NumberedName& form) {
  auto names = platform::Current().files->ListFiles(folder, form.prefix + "*" + form.suffix);
  return names ? LowestFreeNumber(form, *names) : form.first;
}

}  // namespace

std::string NumberedName::For(unsigned number) const {
  char text[16];
  std::snprintf(text, sizeof text, "%0*u", static_cast<int>(digits), number);
  return prefix + text + suffix;
}

unsigned NumberedName::NumberOf(std::string_view name, path::Style style) const {
  const size_t fixed = prefix.size() + suffix.size();
  if (name.size() < fixed + digits || name.size() > fixed + kMaxDigits) return 0;
  if (!path::SameFileName(name.substr(0, prefix.size()), prefix, style) ||
      !path::SameFileName(name.substr(name.size() - suffix.size()), suffix, style)) {
    return 0;
  }
  const std::string_view number = name.substr(prefix.size(), name.size() - fixed);
  if (number.size() > digits && number[0] == '0') return 0;
  unsigned n = 0;
  for (char c : number) {
    if (c < '0' || c > '9') return 0;
    n = n * 10 + static_cast<unsigned>(c - '0');
  }
  return n;
}

NumberedName AutomaticName() { return {"pdf_", 2, ".pdf"}; }

NumberedName AddedNumber(const std::string& fileName) {
  const size_t dot = fileName.rfind('.');
  const size_t stem = dot == std::string::npos || dot == 0 ? fileName.size() : dot;
  return {fileName.substr(0, stem) + " (", 1, ")" + fileName.substr(stem), 2};
}

std::string FirstFreeName(const std::string& saveFolder, const NumberedName& form) {
  const std::string folder = path::AddTrailingDelimiter(saveFolder);
  return folder + form.For(LowestFreeNumberIn(folder, form));
}

std::string MoveToFreeName(const std::string& from, const std::string& saveFolder,
                           const NumberedName& form) {
  auto& files = *platform::Current().files;
  const std::string folder = path::AddTrailingDelimiter(saveFolder);
  for (unsigned n = LowestFreeNumberIn(folder, form);; ++n) {
    const std::string name = folder + form.For(n);
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
