// Files on disk.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/windows_errors.h"

namespace platform {

// What tells one state of a file from another without reading it: its size
// and the time it was last written (Windows: a FILETIME; POSIX: nanoseconds
// since 1970).
struct FileStamp {
  uint64_t size = 0;
  int64_t lastWriteTime = 0;
  bool operator==(const FileStamp&) const = default;
};

// A file this process made or opened for writing, held open until the
// object dies: what it writes lands in that file, even if its name is taken
// away or a link planted at it meanwhile.
class WritableFile {
 public:
  virtual ~WritableFile() = default;
  // Replaces the file's content with the bytes of the file at source, read
  // in pieces. Returns 0 or the Windows-numbered error code.
  virtual int CopyFrom(const std::string& source) = 0;
};

enum class CreateMode {
  // Only a file that is not there yet (Windows: CREATE_NEW; POSIX:
  // O_CREAT|O_EXCL, which never follows a link). Taken: 80, ERROR_FILE_EXISTS.
  kNew,
  // A new file or an existing one emptied (Windows: CREATE_ALWAYS; POSIX:
  // O_CREAT|O_TRUNC|O_NOFOLLOW, so a link at the name is refused).
  kReplace,
  // As kNew, hidden from the user's view of the folder (Windows: the hidden
  // attribute, which ReplaceFile and MoveToNewName clear; POSIX: give it a
  // name that starts with ".").
  kNewHidden,
};

// Held while it lives; see Files::LockFile.
class FileLock {
 public:
  virtual ~FileLock() = default;
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
  // Reads the first `count` bytes of a file (all of a shorter one); false
  // when it cannot be opened or read.
  virtual bool ReadFileStart(const std::string& path, size_t count, std::string& bytes) = 0;
  // Puts the file `from` in the place of `to` in one step, replacing a file
  // there (Windows: MoveFileExA with MOVEFILE_REPLACE_EXISTING; POSIX:
  // rename). Both lie on the same volume. A folder at `to` is refused (5).
  // Returns 0 or the Windows-numbered error code; on failure both files stay
  // as they were.
  virtual int ReplaceFile(const std::string& from, const std::string& to) = 0;
  // The same, but only when nothing stands at `to` (a file, a folder, a
  // link): then 183, ERROR_ALREADY_EXISTS, and both stay as they were. So
  // of several processes that put files at one name, one wins and the others
  // learn it (Windows: MoveFileExA without MOVEFILE_REPLACE_EXISTING; POSIX:
  // renameat2 with RENAME_NOREPLACE, or link and unlink where the file
  // system lacks it).
  virtual int MoveToNewName(const std::string& from, const std::string& to) = 0;
  // Opens the file for writing as the mode says; null with `error` set to
  // the Windows-numbered code when the system refuses.
  virtual std::unique_ptr<WritableFile> CreateForWriting(const std::string& path, CreateMode mode,
                                                         int& error) = 0;
  // A new empty folder of this process's own in the user's temporary folder
  // (Windows: under GetTempPathW, named "pdf" and hex digits ".tmp", the
  // name in the program's code page; POSIX: in the user's runtime folder,
  // mkdtemp, mode 0700), without a trailing delimiter; nothing when none can
  // be made or the code page cannot name it.
  virtual std::optional<std::string> CreateTemporaryFolder() = 0;
  // Makes the folder and every missing folder above it. Returns 0 when the
  // folder is there afterwards, or the Windows-numbered error code (a file
  // or a device in its place: 183, ERROR_ALREADY_EXISTS). The folders it
  // made, the outermost first, are added to `made` (also when a deeper one
  // then fails).
  virtual int CreateFolders(const std::string& folder,
                            std::vector<std::string>* made = nullptr) = 0;
  // Waits until this process holds the lock of that path: a hidden file of
  // its own, which processes on any computer that reach the folder take in
  // turn (Windows: opened with no sharing and deleted on close, retried
  // while another holds it; POSIX: flock on a file made with a name that
  // starts with "."). The file goes when the lock is let go. Null when the
  // lock file cannot be made (a folder that takes no file).
  virtual std::unique_ptr<FileLock> LockFile(const std::string& lockPath) = 0;
  // Removes a folder that is empty; false when it is not, or is refused.
  virtual bool RemoveFolder(const std::string& folder) = 0;
  // Removes a folder and everything in it; links in it are removed, never
  // followed. False when anything stays.
  virtual bool RemoveFolderTree(const std::string& folder) = 0;
};

// Appends line + CR LF to the file, creating it first when it does not exist.
// Opens and closes the file for every line. Raises EInOutError with the text
// for the system's error code ("File not found", "Disk full", ...).
void AppendLine(const std::string& path, const std::string& line);

}  // namespace platform
