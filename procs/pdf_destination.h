// Where a job's PDF goes: its folder, made as needed, and a file of the
// job's own there, hidden from the user, that takes the PDF's bytes and
// then its name in one step. Until then nothing in the folder looks like a
// PDF: no empty or half-written file under the PDF's name, and no name is
// held while Ghostscript runs. The hidden file, and the folders made for
// it, go again however the job ends, unless the PDF is put in place.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/files.h"

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

  // The PDF is to take the lowest automatic name free in the folder when it
  // is put in place (procs::MoveToAutomaticName), or the chosen path,
  // replacing a file there. Makes the hidden file beside it, so that a
  // folder that takes no file is found before Ghostscript runs. 0 or the
  // Windows-numbered error code.
  int AimAtAutomaticName(const std::string& folder);
  int AimAt(const std::string& path);

  // The PDF's path: the one it is to take (the automatic name free now),
  // then the one it took.
  const std::string& Path() const { return path_; }

  // The made PDF's bytes into the hidden file, then the file to its name.
  // 0 or the Windows-numbered error code; raises platform::EInOutError
  // naming the name when no automatic name can be taken.
  int PutInPlace(const std::string& made);

 private:
  int MakeHiddenFileIn(const std::string& folder);

  std::vector<std::string> madeFolders_;
  std::string folder_;  // with a trailing delimiter
  std::string path_;
  bool automatic_ = false;
  std::string hidden_;
  std::unique_ptr<platform::WritableFile> file_;
  bool placed_ = false;
};

}  // namespace procs
