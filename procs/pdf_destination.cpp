#include "procs/pdf_destination.h"

#include <chrono>

#include "platform/rules/path.h"
#include "platform/services.h"

namespace procs {

namespace path = platform::path;

PdfDestination::~PdfDestination() {
  auto& files = *platform::Current().files;
  file_.reset();
  if (placed_) return;
  if (!hidden_.empty()) files.DeleteFile(hidden_);
  // Deepest first; a folder the user has put something in meanwhile stays.
  for (auto folder = madeFolders_.rbegin(); folder != madeFolders_.rend(); ++folder)
    files.RemoveFolder(*folder);
}

int PdfDestination::MakeFolder(const std::string& folder) {
  if (folder.empty()) return 0;
  return platform::Current().files->CreateFolders(folder, &madeFolders_);
}

int PdfDestination::AimAtFreeName(const std::string& folder, const NumberedName& form) {
  form_ = form;
  path_ = FirstFreeName(folder, form);
  return MakeHiddenFileIn(path::AddTrailingDelimiter(folder));
}

int PdfDestination::AimAt(const std::string& path, IfTaken ifTaken) {
  form_.reset();
  ifTaken_ = ifTaken;
  path_ = path;
  return MakeHiddenFileIn(path::FolderPart(path));
}

// A name no job uses for anything else, longer than any automatic name, so
// that a folder too deep for the PDF's name is too deep for it too.
int PdfDestination::MakeHiddenFileIn(const std::string& folder) {
  folder_ = folder;
  auto& files = *platform::Current().files;
  const auto seed =
      static_cast<unsigned long long>(std::chrono::steady_clock::now().time_since_epoch().count());
  int error = 0;
  for (unsigned attempt = 0; attempt < 100; ++attempt) {
    hidden_ =
        folder + ".pdfprinter-" + std::to_string((seed + attempt * 7919) % 100000000) + ".tmp";
    file_ = files.CreateForWriting(hidden_, platform::CreateMode::kNewHidden, error);
    if (file_) return 0;
    if (error != platform::kErrorFileExists && error != platform::kErrorAlreadyExists) break;
  }
  hidden_.clear();
  return error;
}

bool PdfDestination::TakeAppendTurn() {
  if (form_ || ifTaken_ != IfTaken::kAppend) return false;
  auto& files = *platform::Current().files;
  appendLock_ = files.LockFile(folder_ + "." + path::FileNamePart(path_) + ".lock");
  return files.FileExists(path_);
}

int PdfDestination::PutInPlace(const std::string& made) {
  auto& files = *platform::Current().files;
  if (int error = file_->CopyFrom(made)) return error;
  file_.reset();
  if (form_) {
    path_ = MoveToFreeName(hidden_, folder_, *form_);
  } else if (ifTaken_ == IfTaken::kReplace || ifTaken_ == IfTaken::kAppend) {
    if (int error = files.ReplaceFile(hidden_, path_)) return error;
  } else if (int error = files.MoveToNewName(hidden_, path_)) {
    if (error != platform::kErrorAlreadyExists) return error;
    path_ = MoveToFreeName(hidden_, folder_, AddedNumber(path::FileNamePart(path_)));
  }
  placed_ = true;
  appendLock_.reset();
  return 0;
}

}  // namespace procs
