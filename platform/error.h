// Errors the program raises: an exception that carries the message text the
// user sees and a kind name (the name shown in the "Application Error" box).
#pragma once

#include <stdexcept>
#include <string>

namespace platform {

class Error : public std::runtime_error {
 public:
  // Records the code address of the function that constructs the error, so
  // the top-level box can say where it arose.
  Error(std::string kind, const std::string& message);

  const std::string& Kind() const { return kind_; }
  const std::string& Message() const { return message_; }
  const void* CodeAddress() const { return address_; }

 private:
  std::string kind_;
  std::string message_;
  const void* address_;
};

// Fills a "%s" pattern with one text (the messages have exactly one %s).
std::string FormatMessage(const std::string& pattern, const std::string& value);

// Named kinds, so callers and tests can catch what they expect. Their
// constructors are always inlined, so the address recorded is the raiser's.
struct EInOutError : Error {
  [[gnu::always_inline]] EInOutError(const std::string& message, int code)
      : Error("EInOutError", message), code(code) {}
  int code;
};
struct EIniFileException : Error {
  [[gnu::always_inline]] explicit EIniFileException(const std::string& message)
      : Error("EIniFileException", message) {}
};
struct ERegistryException : Error {
  [[gnu::always_inline]] explicit ERegistryException(const std::string& message)
      : Error("ERegistryException", message) {}
};
struct EFOpenError : Error {
  [[gnu::always_inline]] explicit EFOpenError(const std::string& message)
      : Error("EFOpenError", message) {}
};
struct EFCreateError : Error {
  [[gnu::always_inline]] explicit EFCreateError(const std::string& message)
      : Error("EFCreateError", message) {}
};
struct EReadError : Error {
  [[gnu::always_inline]] explicit EReadError(const std::string& message)
      : Error("EReadError", message) {}
};
struct EWriteError : Error {
  [[gnu::always_inline]] explicit EWriteError(const std::string& message)
      : Error("EWriteError", message) {}
};
struct EInvalidOperation : Error {
  [[gnu::always_inline]] explicit EInvalidOperation(const std::string& message)
      : Error("EInvalidOperation", message) {}
};

}  // namespace platform

namespace platform {

// Ends the program with an exit code after the user has already been told
// why; the entry catches it and shows nothing more.
struct ExitWithCode {
  explicit ExitWithCode(int exitCode) : code(exitCode) {}
  int code;
};

}  // namespace platform
