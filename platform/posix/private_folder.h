// Folders of the user's own, where no other user can plant a file or a link:
// for the links to Ghostscript and for a job's own files.
#pragma once

#include <string>

namespace platform::posix {

// $HOME when it is an absolute path, else the home folder of the user's
// account; "" when there is none.
std::string HomeFolder();

// "<cache>/pdfprinter/<relative>" (relative may be empty or hold several
// folders), created as needed, each new folder with mode 0700. <cache> is
// $XDG_CACHE_HOME when it is an absolute path, otherwise "$HOME/.cache" (the
// home folder of the user's account when $HOME is not set). From
// "pdfprinter" down, every folder must be a folder (not a link), belong to
// the user and be closed to other users' writes; otherwise, or when a folder
// cannot be made, raises platform::Error (kind "EOSError") naming the folder.
std::string PrivateCacheFolder(const std::string& relative);

// $XDG_RUNTIME_DIR when it is an absolute path to a folder (not a link) of
// the user's own with mode 0700, as the session manager makes it;
// PrivateCacheFolder("") otherwise.
std::string UserRuntimeFolder();

// The text of errno for a message; "a symbolic link stands there" for ELOOP
// from an open with O_NOFOLLOW.
std::string SystemReason(int error);

}  // namespace platform::posix
