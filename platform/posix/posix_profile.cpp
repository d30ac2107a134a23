// INI files read and changed by our own rules engine (ini_text.h), through
// the shared locked, atomic replacement of locked_file.h. A change that
// cannot be completed returns false and leaves the file as it was.
#include <errno.h>
#include <sys/stat.h>

#include "platform/posix/locked_file.h"
#include "platform/posix/posix_backends.h"
#include "platform/rules/ini_text.h"

namespace platform::posix {

namespace {

class PosixProfile : public Profile {
 public:
  std::string ReadString(const std::string& file, const std::string& section,
                         const std::string& key, const std::string& defaultValue) override {
    return ReadIniValue(ReadWholeFile(file).value_or(""), section, key).value_or(defaultValue);
  }

  bool WriteString(const std::string& file, const std::string& section, const std::string& key,
                   const std::string& value) override {
    return UpdateFileLocked(
        file, [&](const std::string& bytes) { return WriteIniValue(bytes, section, key, value); });
  }

  bool RemoveSection(const std::string& file, const std::string& section) override {
    struct stat info {};
    // Nothing to remove from a file that is not there; do not create it.
    if (::stat(file.c_str(), &info) != 0 && errno == ENOENT) return true;
    return UpdateFileLocked(file, [&](const std::string& bytes) -> std::optional<std::string> {
      return RemoveIniSection(bytes, section);
    });
  }
};

}  // namespace

std::unique_ptr<Profile> MakeProfile() { return std::make_unique<PosixProfile>(); }

}  // namespace platform::posix
