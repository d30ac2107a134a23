#include "platform/windows_errors.h"

namespace platform {

std::string InOutErrorText(int code) {
  switch (code) {
    case kErrorFileNotFound:
      return "File not found";
    case kErrorPathNotFound:
      return "Invalid filename";
    case kErrorTooManyOpenFiles:
      return "Too many open files";
    case kErrorAccessDenied:
      return "File access denied";
    case 100:
      return "Read beyond end of file";
    case kErrorDiskFull:
      return "Disk full";
    case 106:
      return "Invalid numeric input";
    default:
      return "I/O error " + std::to_string(code);
  }
}

}  // namespace platform
