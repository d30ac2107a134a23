// The shell.
#pragma once

#include <cstdint>
#include <string>

namespace platform {

// The show mode of a window opened as usual (SW_SHOWNORMAL).
inline constexpr int kSwShowNormal = 1;

class Shell {
 public:
  virtual ~Shell() = default;
  // ShellExecuteA with no owner window. Returns the shell's result, a value
  // above 32 on success. POSIX: "open" is xdg-open, not waited for.
  virtual intptr_t Execute(const std::string& verb, const std::string& file,
                           const std::string& parameters, const std::string& directory,
                           int showMode) = 0;
  // Starts the program again with administrator rights (ShellExecuteExA, verb
  // "runas"); the system asks the user first. False when the user declines
  // or the start fails.
  virtual bool RunAsAdministrator(const std::string& program, const std::string& parameters) = 0;
};

}  // namespace platform
