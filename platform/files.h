// Files on disk.
#pragma once

#include <string>

namespace platform {

class Files {
 public:
  virtual ~Files() = default;
  // True when a directory search finds an entry that is not a folder.
  virtual bool FileExists(const std::string& path) = 0;
  // Creates or truncates the file (Windows: CreateFileA, read/write access,
  // no sharing, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL) and closes it at once.
  // Returns 0 or the system error code (Windows numbering).
  virtual int CreateEmptyFile(const std::string& path) = 0;
  // Returns false when the system refuses; a missing file is false too.
  virtual bool DeleteFile(const std::string& path) = 0;
  // Opens the existing file, writes bytes at its end and closes it. Returns 0
  // or the Windows-numbered error code of the first step that failed
  // (2 file not found, 3 path not found, 5 access denied, 101 disk full, ...).
  virtual int AppendToFile(const std::string& path, const std::string& bytes) = 0;
  // Reads a whole file; false when it cannot be opened or read.
  virtual bool ReadFile(const std::string& path, std::string& bytes) = 0;
  // Puts the file `from` in the place of `to` in one step, replacing a file
  // there (Windows: MoveFileExA with MOVEFILE_REPLACE_EXISTING; POSIX:
  // rename). Both lie on the same volume. A folder at `to` is refused (5).
  // Returns 0 or the Windows-numbered error code; on failure both files stay
  // as they were.
  virtual int ReplaceFile(const std::string& from, const std::string& to) = 0;
};

}  // namespace platform
