// Where a job's PDF goes: its folder, made as needed, and a file of the
// job's own there, hidden from the user, that takes the PDF's bytes and
// then its name in one step. Until then nothing in the folder looks like a
// PDF: no empty or half-written file under the PDF's name, and no name is
// held while Ghostscript runs. The hidden file, and the folders made for
// it, go again however the job ends, unless the PDF is put in place.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/files.h"
#include "platform/rules/path.h"
#include "procs/numbered_name.h"

namespace procs {

class PdfDestination {
 public:
  PdfDestination() = default;
  ~PdfDestination();
  PdfDestination(const PdfDestination&) = delete;
  PdfDestination& operator=(const PdfDestination&) = delete;

  // Makes the folder and every missing folder above it. 0 or the
  // Windows-numbered error code (183: a file or a device is in its place).
  int MakeFolder(const std::string& folder);

  // Where the PDF is to go when it is put in place: the lowest name of the
  // form free in the folder then (MoveToFreeName); or the path, replacing a
  // file there, or taking the lowest number added to its name that is free
  // (AddedNumber) where anything stands there, or (kAppend) replacing the
  // file there with one that holds its pages and the job's (see
  // LockForAppending). Makes the hidden file beside it, so that a folder
  // that takes no file is found before Ghostscript runs. 0 or the
  // Windows-numbered error code.
  enum class IfTaken { kReplace, kAddNumber, kAppend };
  int AimAtFreeName(const std::string& folder, const NumberedName& form);
  int AimAt(const std::string& path, IfTaken ifTaken);

  // The PDF's path: the one it is to take (the automatic name free now),
  // then the one it took.
  const std::string& Path() const { return path_; }
  // The form of a free name (AimAtFreeName); nothing for a path.
  const std::optional<NumberedName>& Form() const { return form_; }

  // Where the PDF's pages are to be added to a file's: takes the lock of
  // that file (Files::LockFile, beside it), held until the PDF is in place
  // or the object dies, so that jobs appending to it take turns from
  // reading it to replacing it, and jobs for other files never wait. True
  // when a file stands there with the lock held; false where nothing is
  // appended (another IfTaken, or no file there).
  bool TakeAppendTurn();
  // The file to append to could not be read as a PDF: the PDF takes the
  // lowest number added to the name instead, and the file stays as it is.
  void TakeAddedNumberInstead() { form_ = AddedNumber(platform::path::FileNamePart(path_)); }

  // The made PDF's bytes into the hidden file, then the file to its name.
  // 0 or the Windows-numbered error code; raises platform::EInOutError
  // naming the name when no automatic name can be taken.
  int PutInPlace(const std::string& made);

 private:
  int MakeHiddenFileIn(const std::string& folder);

  std::vector<std::string> madeFolders_;
  std::string folder_;  // with a trailing delimiter
  std::string path_;
  // For a free name: the form; otherwise IfTaken.
  std::optional<NumberedName> form_;
  IfTaken ifTaken_ = IfTaken::kReplace;
  std::string hidden_;
  std::unique_ptr<platform::WritableFile> file_;
  std::unique_ptr<platform::FileLock> appendLock_;
  bool placed_ = false;
};

}  // namespace procs
