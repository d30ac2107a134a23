// Starting programs.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace platform {

class Processes {
 public:
  virtual ~Processes() = default;
  // Starts a Windows-style command line (the program is its first word) in a
  // new console with the given SW_ show mode, and waits, with no time-out,
  // until it ends. Returns its exit code, or nothing when it cannot be
  // started. POSIX: the words are split by the Windows rules and run with
  // posix_spawnp.
  virtual std::optional<uint32_t> RunAndWait(const std::string& commandLine,
                                             uint16_t showMode) = 0;
  // Starts a command line and does not wait (Windows: WinExec).
  virtual bool Start(const std::string& commandLine, uint16_t showMode) = 0;
};

}  // namespace platform
