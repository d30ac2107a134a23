#include "platform/rules/path.h"
#include "platform/rules/windows_command_line.h"
#include "platform/win32/win32_backends.h"
#include "support/native_files_processes.h"

namespace testing_support {

std::unique_ptr<platform::Files> MakeNativeFilesForTest() { return platform::win32::MakeFiles(); }

std::unique_ptr<platform::Processes> MakeNativeProcessesForTest() {
  return platform::win32::MakeProcesses();
}

std::string TestProgramPath() {
  std::string self = platform::win32::MakeProcessInfo()->ProgramPath();
  return platform::path::FolderPart(self, platform::path::Style::Windows) + "exit_with.exe";
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

bool NativeExitCodesHave32Bits() { return true; }

}  // namespace testing_support
