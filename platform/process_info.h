// What the system says about the running process.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "platform/rules/command_line.h"

namespace platform {

struct ModuleLocation {
  std::string fileName;  // the module's file name without its folder; "" if unknown
  uintptr_t offset = 0;  // the address as an offset from the module's start
};

class ProcessInfo {
 public:
  virtual ~ProcessInfo() = default;
  // Full path of the program file (Windows: GetModuleFileNameA, 261 bytes).
  virtual std::string ProgramPath() = 0;
  // The raw command line (Windows: GetCommandLineA).
  virtual std::string CommandLine() = 0;
  // The folder of the system's own programs, without trailing delimiter.
  // Windows: GetSystemDirectoryA ("C:\WINDOWS\system32"). POSIX: "/usr/bin",
  // where a Linux system keeps its own programs; it holds no Windows
  // programs, so starting one from there fails as a missing one does on
  // Windows.
  virtual std::string SystemFolder() = 0;
  // The user's home folder (POSIX: $HOME, else the account's; Windows:
  // %USERPROFILE%), without a trailing delimiter; "" when there is none.
  virtual std::string HomeFolder() = 0;
  // The folder for the user's own data on this computer, without a
  // trailing delimiter. Windows: %LOCALAPPDATA%, else the account's local
  // application data folder (SHGetFolderPathW); POSIX: $XDG_DATA_HOME, else
  // ~/.local/share. An account without one (no profile loaded, no home)
  // gets the system's temporary folder (Windows: GetTempPathW; POSIX:
  // $TMPDIR, else /tmp). It may not exist yet.
  virtual std::string UserDataFolder() = 0;
  // An environment variable's value in the program's code page (Windows:
  // GetEnvironmentVariableW, so that any script survives); nothing when it
  // is not set.
  virtual std::optional<std::string> EnvironmentVariable(const std::string& name) = 0;
  // The account the process runs as (Windows: GetUserNameW; POSIX: the
  // account of the effective user), and this computer's name (Windows:
  // GetComputerNameW; POSIX: gethostname); "" when unknown.
  virtual std::string UserName() = 0;
  virtual std::string ComputerName() = 0;
  // The loaded module that holds a code address.
  virtual ModuleLocation ModuleOf(const void* address) = 0;
  // Whether the process runs without administrator rights on a system that
  // gives them on request: Windows with UAC on ("EnableLUA" set) and a token
  // that is not elevated. False on POSIX, and under Wine, which has no UAC.
  virtual bool CanBeElevated() = 0;
};

// The arguments of the running process (its command line and program path),
// from the services in force.
Arguments ProgramArguments();

}  // namespace platform
