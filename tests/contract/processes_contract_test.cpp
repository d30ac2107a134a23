// The Processes backend of this build (POSIX natively, Win32 under Wine),
// exercised with the helper program "exit_with", which writes the arguments
// it was given to a file and exits with the code it was told.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "platform/process.h"
#include "platform/rules/windows_command_line.h"
#include "support/native_files_processes.h"
#include "support/scratch_dir.h"

namespace {

using testing_support::TestProgramCommandLine;
using Words = std::vector<std::string>;
namespace fs = std::filesystem;

const platform::LaunchOptions kHiddenWait{.hidden = true, .wait = true};
const platform::LaunchOptions kHiddenStart{.hidden = true};

// `"program" 1`: a command line naming a program in quotes.
std::string QuotedProgram(const std::string& program) {
  std::string line = "\"";
  line += program;
  line += "\" 1";
  return line;
}

// The NUL-terminated words the helper wrote.
Words ReadArgv(const std::string& path) {
  std::string bytes = testing_support::ReadBytes(path);
  Words words;
  size_t start = 0;
  for (size_t end; (end = bytes.find('\0', start)) != std::string::npos; start = end + 1)
    words.push_back(bytes.substr(start, end - start));
  return words;
}

class ProcessesContractTest : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_NE(processes_, nullptr);
    ASSERT_TRUE(fs::is_regular_file(testing_support::TestProgramPath()))
        << testing_support::TestProgramPath();
  }

  // Runs the helper with rawArguments and returns what arrived.
  Words ArgumentsThatArrive(const std::string& rawArguments) {
    const std::string argvFile = scratch_.File("argv.bin");
    fs::remove(argvFile);
    EXPECT_EQ(processes_->Launch(TestProgramCommandLine(0, argvFile, rawArguments), kHiddenWait)
                  .ExitCode(),
              0u);
    return ReadArgv(argvFile);
  }

  testing_support::ScratchDir scratch_;
  std::unique_ptr<platform::Processes> processes_ = testing_support::MakeNativeProcessesForTest();
};

TEST_F(ProcessesContractTest, ExitCodesComeBackUnchanged) {
  std::vector<uint32_t> codes = {0, 1, 3, 42, 255};
  if (testing_support::NativeExitCodesHave32Bits()) codes.insert(codes.end(), {256, 0xC0000005u});
  for (uint32_t code : codes) {
    SCOPED_TRACE(testing::Message() << "exit code " << code);
    EXPECT_EQ(processes_->Launch(TestProgramCommandLine(code), kHiddenWait).ExitCode(), code);
  }
}

TEST_F(ProcessesContractTest, WaitLimitGivesUpWhileTheProgramRuns) {
  // "exit_later MS CODE", beside the helper: waits, then exits with CODE.
  const fs::path helper = testing_support::TestProgramPath();
  const std::string later =
      "\"" + (helper.parent_path() / ("exit_later" + helper.extension().string())).string() + "\" ";
  platform::LaunchOptions options = kHiddenWait;
  options.waitLimit = std::chrono::milliseconds(200);
  const auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(processes_->Launch(later + "3000 4", options), platform::LaunchResult::LeftRunning());
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
  options.waitLimit = std::chrono::seconds(60);
  EXPECT_EQ(processes_->Launch(later + "0 4", options).ExitCode(), 4u);
}

// A program that ends with its caller: its output's lines as they come, and
// ticks, one of which may end it.
TEST_F(ProcessesContractTest, OutputComesInLinesAndATickCanEndTheProgram) {
  const fs::path helper = testing_support::TestProgramPath();
  const std::string later =
      "\"" + (helper.parent_path() / ("exit_later" + helper.extension().string())).string() + "\" ";
  const struct {
    std::string arguments;
    int ticksBeforeCancel;  // 0: never
    platform::LaunchResult result;
    unsigned lines;
  } cases[] = {
      {"600 5 4", 0, platform::LaunchResult::Exited(5), 4},
      {"0 0 20000", 0, platform::LaunchResult::Exited(0), 20000},  // more than a pipe holds
      {"60000 5 2", 3, platform::LaunchResult::Cancelled(), 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.arguments);
    std::vector<std::string> lines;
    int ticks = 0;
    platform::LaunchOptions options = kHiddenWait;
    options.endWithCaller = true;
    options.onOutputLine = [&](const std::string& line) { lines.push_back(line); };
    options.onTick = [&] { return ++ticks != c.ticksBeforeCancel; };
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(processes_->Launch(later + c.arguments, options), c.result);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(30));
    if (c.ticksBeforeCancel) {
      EXPECT_EQ(ticks, c.ticksBeforeCancel);
      continue;
    }
    ASSERT_EQ(lines.size(), c.lines);
    for (unsigned n = 0; n < c.lines; ++n) EXPECT_EQ(lines[n], "line " + std::to_string(n + 1));
  }
}

TEST_F(ProcessesContractTest, ProgramThatCannotStartGivesNothingAtOnce) {
  const std::string missing = scratch_.File("no_such_program.exe");
  const std::string notAProgram = scratch_.File("not_a_program.exe");
  testing_support::WriteBytes(notAProgram, "just text\r\n");
  const std::string cases[] = {
      "",
      QuotedProgram(missing),
      "no_such_program_of_pdfprinter.exe 1",
      QuotedProgram(scratch_.Path()),
      QuotedProgram(notAProgram),
  };
  for (const std::string& commandLine : cases) {
    SCOPED_TRACE("command line [" + commandLine + "]");
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(processes_->Launch(commandLine, kHiddenWait), platform::LaunchResult::NotStarted());
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(10));
  }
}

TEST_F(ProcessesContractTest, ArgumentsArriveAsTheWindowsRulesSplitThem) {
  const struct {
    std::string raw;
    Words words;
  } cases[] = {
      {"one two", {"one", "two"}},
      {"\"with blanks\" x", {"with blanks", "x"}},
      {"\"C:\\Program Files\\gs\\lib\";\"C:\\fonts\"", {"C:\\Program Files\\gs\\lib;C:\\fonts"}},
      {"@\"c:\\gs dir\\tarnel.rsp\" c:\\spool\\job.spl",
       {"@c:\\gs dir\\tarnel.rsp", "c:\\spool\\job.spl"}},
      {"a\\b\\ c:\\", {"a\\b\\", "c:\\"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE("arguments [" + c.raw + "]");
    EXPECT_EQ(ArgumentsThatArrive(c.raw), c.words);
  }
}

TEST_F(ProcessesContractTest, QuotedArgumentsArriveUnchanged) {
  const Words args = {"", "a b", "say \"hi\"", "c:\\my dir\\", "\\\\srv\\a share\\", "tab\there"};
  std::string raw;
  for (const std::string& arg : args) {
    raw += ' ';
    raw += platform::QuoteWindowsArgument(arg);
  }
  EXPECT_EQ(ArgumentsThatArrive(raw), args);
}

TEST_F(ProcessesContractTest, CommandLineLongerThan512CharactersArrivesWhole) {
  std::string longWord;
  while (longWord.size() < 2000) longWord += "0123456789";
  const std::string blanks = "some words " + longWord;
  EXPECT_EQ(ArgumentsThatArrive(longWord + " \"" + blanks + "\" end"),
            (Words{longWord, blanks, "end"}));
}

TEST_F(ProcessesContractTest, QuotedProgramPathWithBlanksStarts) {
  const fs::path helper = testing_support::TestProgramPath();
  const fs::path folder = fs::path(scratch_.Path()) / "folder with blanks";
  fs::create_directory(folder);
  const fs::path copy = folder / (std::string("exit with") + helper.extension().string());
  fs::copy_file(helper, copy);
  const std::string argvFile = scratch_.File("argv.bin");
  EXPECT_EQ(processes_->Launch(TestProgramCommandLine(7, argvFile, "x", copy.string()), kHiddenWait)
                .ExitCode(),
            7u);
  EXPECT_EQ(ReadArgv(argvFile), Words{"x"});
}

TEST_F(ProcessesContractTest, StartDoesNotWaitAndTheProgramRuns) {
  const std::string argvFile = scratch_.File("argv.bin");
  ASSERT_EQ(
      processes_->Launch(TestProgramCommandLine(3, argvFile, "\"started program\""), kHiddenStart),
      platform::LaunchResult::Started());
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
  while (!fs::exists(argvFile) && std::chrono::steady_clock::now() < deadline)
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  EXPECT_EQ(ReadArgv(argvFile), Words{"started program"});
}

TEST_F(ProcessesContractTest, StartOfAMissingProgramFails) {
  EXPECT_EQ(processes_->Launch(QuotedProgram(scratch_.File("no_such_program.exe")), kHiddenStart),
            platform::LaunchResult::NotStarted());
}

}  // namespace
