#include "platform/fake/fake_profile.h"

#include "platform/rules/ini_text.h"

namespace platform::fake {

FakeProfile::FakeProfile() = default;
FakeProfile::~FakeProfile() = default;

std::string FakeProfile::ReadString(const std::string& file, const std::string& section,
                                    const std::string& key, const std::string& defaultValue) {
  auto found = files_.find(file);
  if (found == files_.end()) return defaultValue;
  return ReadIniValue(found->second, section, key).value_or(defaultValue);
}

bool FakeProfile::WriteString(const std::string& file, const std::string& section,
                              const std::string& key, const std::string& value) {
  if (refused_.count(file)) return false;
  auto found = files_.find(file);
  std::optional<std::string> changed =
      WriteIniValue(found == files_.end() ? std::string() : found->second, section, key, value);
  if (!changed) return false;
  files_[file] = std::move(*changed);
  ++changes_;
  return true;
}

bool FakeProfile::RemoveSection(const std::string& file, const std::string& section) {
  if (refused_.count(file)) return false;
  auto found = files_.find(file);
  if (found != files_.end()) found->second = RemoveIniSection(found->second, section);
  ++changes_;
  return true;
}

void FakeProfile::SetFileText(const std::string& file, const std::string& bytes) {
  files_[file] = bytes;
}

std::optional<std::string> FakeProfile::FileText(const std::string& file) const {
  auto found = files_.find(file);
  if (found == files_.end()) return std::nullopt;
  return found->second;
}

void FakeProfile::RefuseWrites(const std::string& file) { refused_.insert(file); }

}  // namespace platform::fake
