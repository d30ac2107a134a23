// Private-profile (INI file) operations. Every call is one operation on the
// file: nothing is cached. Rules (Windows' and ours alike): section and key
// names match without regard to case; a value is read without its leading
// and trailing blanks and without one pair of enclosing quotes (" or '); a
// read returns at most 2047 characters; a write creates the file, section
// (at the end) and key (at the end of its section) as needed and keeps every
// other line; lines end in CR LF.
#pragma once

#include <string>

namespace platform {

class Profile {
 public:
  static constexpr size_t kMaxValueLength = 2047;
  virtual ~Profile() = default;
  // Returns the value, or defaultValue when the file, section or key is absent.
  virtual std::string ReadString(const std::string& file, const std::string& section,
                                 const std::string& key, const std::string& defaultValue) = 0;
  // Returns false when the system refuses the write.
  virtual bool WriteString(const std::string& file, const std::string& section,
                           const std::string& key, const std::string& value) = 0;
  // Removes the section with all its keys. Returns false when refused.
  virtual bool RemoveSection(const std::string& file, const std::string& section) = 0;
};

}  // namespace platform
