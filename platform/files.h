// Files on disk.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace platform {

// What tells one state of a file from another without reading it: its size
// and the time it was last written (Windows: a FILETIME; POSIX: nanoseconds
// since 1970).
struct FileStamp {
  uint64_t size = 0;
  int64_t lastWriteTime = 0;
  bool operator==(const FileStamp&) const = default;
};

class Files {
 public:
  virtual ~Files() = default;
  // True when a directory search finds an entry that is not a folder.
  virtual bool FileExists(const std::string& path) = 0;
  // Creates or truncates the file (Windows: CreateFileA, read/write access,
  // no sharing, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL) and closes it at once.
  // Returns 0 or the system error code (Windows numbering).
  virtual int CreateEmptyFile(const std::string& path) = 0;
  // The stamp of the file at path (Windows: GetFileAttributesExA); nothing
  // when no file is there (a folder neither).
  virtual std::optional<FileStamp> Stamp(const std::string& path) = 0;
  // The names of the entries of `folder` (which ends in a delimiter) that
  // match `pattern` ("*" any run of characters, "?" any one; letters
  // compared as the platform's file names are) and that
  // FileExists would find, by one directory search: Windows FindFirstFileA
  // and FindNextFileA on folder + pattern, which also matches 8.3 short names
  // and gives the long and, when it has one, the short name of such an entry
  // (callers test the names they get); POSIX readdir. Empty when nothing
  // matches; nothing when the folder cannot be searched (a missing one too).
  virtual std::optional<std::vector<std::string>> ListFiles(const std::string& folder,
                                                            const std::string& pattern) = 0;
  // Returns false when the system refuses; a missing file is false too.
  virtual bool DeleteFile(const std::string& path) = 0;
  // Opens the existing file, writes bytes at its end and closes it. Returns 0
  // or the Windows-numbered error code of the first step that failed
  // (2 file not found, 3 path not found, 5 access denied, 101 disk full, ...).
  virtual int AppendToFile(const std::string& path, const std::string& bytes) = 0;
  // Reads a whole file; false when it cannot be opened or read.
  virtual bool ReadFile(const std::string& path, std::string& bytes) = 0;
  // Reads the last `count` bytes of a file (all of a shorter one); false when
  // it cannot be opened or read.
  virtual bool ReadFileEnd(const std::string& path, size_t count, std::string& bytes) = 0;
  // Puts the file `from` in the place of `to` in one step, replacing a file
  // there (Windows: MoveFileExA with MOVEFILE_REPLACE_EXISTING; POSIX:
  // rename). Both lie on the same volume. A folder at `to` is refused (5).
  // Returns 0 or the Windows-numbered error code; on failure both files stay
  // as they were.
  virtual int ReplaceFile(const std::string& from, const std::string& to) = 0;
};

}  // namespace platform
