// The Windows error numbers that the services report on every build (the
// POSIX backends translate errno into them), and the texts of the I/O errors
// among them, as the user reads them in messages.
#pragma once

#include <string>

namespace platform {

inline constexpr int kErrorFileNotFound = 2;
inline constexpr int kErrorPathNotFound = 3;
inline constexpr int kErrorTooManyOpenFiles = 4;
inline constexpr int kErrorAccessDenied = 5;
inline constexpr int kErrorGenFailure = 31;
inline constexpr int kErrorNotSupported = 50;
inline constexpr int kErrorFileExists = 80;
// A write that ends short (the I/O error "Disk full").
inline constexpr int kErrorDiskFull = 101;
inline constexpr int kErrorAlreadyExists = 183;

// The text for an I/O error code: 2 "File not found", 3 "Invalid filename",
// 4 "Too many open files", 5 "File access denied", 100 "Read beyond end of
// file", 101 "Disk full", 106 "Invalid numeric input", else "I/O error <n>".
std::string InOutErrorText(int code);

}  // namespace platform
