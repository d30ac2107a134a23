// Whole-file reads and locked, atomic replacement, for the files several of
// our processes share (the settings file, the registry store).
//
// Reads take no lock: a file is only ever replaced by rename, so a reader
// sees the old content or the new one, never a half-written file. An update
// locks the file itself (flock, exclusive), reads it, writes the new content
// into a temporary file in the same folder and renames that over the file.
// A writer that waited may hold the lock of a file that has just been renamed
// away, so after locking it checks that the path still names the locked file
// and starts again if not; without that, concurrent updates could be lost.
// A path that is a symbolic link is followed, so the link stays a link.
#pragma once

#include <functional>
#include <optional>
#include <string>

namespace platform::posix {

// The file's bytes; nothing when it cannot be opened or read (missing is
// then true when the file does not exist).
std::optional<std::string> ReadWholeFile(const std::string& path, bool* missing = nullptr);

// Calls change with the file's current bytes ("" for a new file) under the
// lock and stores what it returns. Returns false, leaving the file as it was,
// when the file cannot be locked, read or replaced, or when change returns
// nothing. New bytes equal to the old are not written.
bool UpdateFileLocked(const std::string& path,
                      const std::function<std::optional<std::string>(const std::string&)>& change);

}  // namespace platform::posix
