// A fresh folder for one test, removed with everything in it at the end.
#pragma once

#include <filesystem>
#include <string>

namespace testing_support {

class ScratchDir {
 public:
  ScratchDir();
  ~ScratchDir();
  ScratchDir(const ScratchDir&) = delete;
  ScratchDir& operator=(const ScratchDir&) = delete;

  // The folder, in the platform's own path form, without trailing delimiter.
  std::string Path() const { return path_.string(); }
  // Path() + delimiter + name.
  std::string File(const std::string& name) const { return (path_ / name).string(); }

 private:
  std::filesystem::path path_;
};

// Writes bytes to a file, replacing it.
void WriteBytes(const std::string& path, const std::string& bytes);
// Reads a whole file ("" when it cannot be read).
std::string ReadBytes(const std::string& path);

// A message as written, without the line breaks a box puts into long paths.
inline std::string Unbroken(std::string text) {
  std::erase(text, '\n');
  return text;
}

}  // namespace testing_support
