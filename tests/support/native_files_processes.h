// The Files and Processes backends of this build, and a helper program for
// the process tests: POSIX natively, Win32 under Wine.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "platform/files.h"
#include "platform/process.h"

namespace testing_support {

std::unique_ptr<platform::Files> MakeNativeFilesForTest();
std::unique_ptr<platform::Processes> MakeNativeProcessesForTest();

// The helper program "exit_with" (exit_with.exe on Windows), built in the
// folder of the running test binary.
std::string TestProgramPath();

// A command line that runs `program` (the helper, or a copy of it) in double
// quotes with exitCode. When argvFile is not empty it follows, quoted, and
// then rawArguments as given: the helper writes every argument after the
// file's name to argvFile, each followed by a NUL byte, and exits with
// exitCode.
std::string TestProgramCommandLine(uint32_t exitCode, const std::string& argvFile = "",
                                   const std::string& rawArguments = "",
                                   const std::string& program = TestProgramPath());

// True when exit codes keep all 32 bits (Windows); POSIX keeps 8.
bool NativeExitCodesHave32Bits();

}  // namespace testing_support
