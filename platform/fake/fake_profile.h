// An in-memory set of INI files for tests, with the rules of the real
// backends (ini_text.h). Paths are compared as given. A path can be made to
// refuse writes, as a read-only file or a full disk would.
#pragma once

#include <map>
#include <optional>
#include <set>
#include <string>

#include "platform/profile.h"

namespace platform::fake {

class FakeProfile : public Profile {
 public:
  FakeProfile();
  ~FakeProfile() override;

  // Profile.
  std::string ReadString(const std::string& file, const std::string& section,
                         const std::string& key, const std::string& defaultValue) override;
  bool WriteString(const std::string& file, const std::string& section, const std::string& key,
                   const std::string& value) override;
  bool RemoveSection(const std::string& file, const std::string& section) override;

  // Puts a file with these bytes in place, past every refusal.
  void SetFileText(const std::string& file, const std::string& bytes);
  // The file's bytes, or nullopt when there is no such file.
  std::optional<std::string> FileText(const std::string& file) const;
  // From now on WriteString and RemoveSection on that path return false and
  // change nothing; reads still work.
  void RefuseWrites(const std::string& file);
  // Successful WriteString and RemoveSection calls so far.
  int ChangeCount() const { return changes_; }

 private:
  std::map<std::string, std::string> files_;
  std::set<std::string> refused_;
  int changes_ = 0;
};

}  // namespace platform::fake
