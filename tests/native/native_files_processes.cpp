#include "support/native_files_processes.h"
#include "platform/posix/posix_backends.h"
#include "platform/rules/path.h"
#include "platform/rules/windows_command_line.h"

namespace testing_support {

std::unique_ptr<platform::Files> MakeNativeFilesForTest() { return platform::posix::MakeFiles(); }

std::unique_ptr<platform::Processes> MakeNativeProcessesForTest() {
  return platform::posix::MakeProcesses();
}

std::string TestProgramPath() {
  std::string self = platform::posix::MakeProcessInfo()->ProgramPath();
  return platform::path::FolderPart(self, platform::path::Style::Posix) + "exit_with";
}

std::string TestProgramCommandLine(uint32_t exitCode, const std::string& argvFile,
                                   const std::string& rawArguments, const std::string& program) {
  std::string line = "\"";
  line += program;
  line += "\" ";
  line += std::to_string(exitCode);
  if (!argvFile.empty()) {
    line += ' ';
    line += platform::QuoteWindowsArgument(argvFile);
    line += ' ';
    line += rawArguments;
  }
  return line;
}

bool NativeExitCodesHave32Bits() { return false; }

}  // namespace testing_support
