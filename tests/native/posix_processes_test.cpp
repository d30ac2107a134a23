// What only the POSIX process backend does: PATH search, signals, and
// starting without leaving a child behind.
#include <dirent.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>

#include "platform/posix/posix_backends.h"
#include "support/native_files_processes.h"
#include "support/scratch_dir.h"

namespace {

// Processes whose parent is this one, zombies included.
int ChildCount() {
  int count = 0;
  DIR* proc = ::opendir("/proc");
  if (!proc) return -1;
  while (dirent* entry = ::readdir(proc)) {
    std::ifstream stat(std::string("/proc/") + entry->d_name + "/stat");
    std::string line;
    if (!std::getline(stat, line)) continue;
    size_t end = line.rfind(')');
    if (end == std::string::npos) continue;
    char state = 0;
    long parent = 0;
    if (std::sscanf(line.c_str() + end + 1, " %c %ld", &state, &parent) == 2 &&
        parent == ::getpid())
      ++count;
  }
  ::closedir(proc);
  return count;
}

TEST(PosixProcessesTest, ProgramsAreFoundOnThePathAndSignalsCount) {
  auto processes = platform::posix::MakeProcesses();
  const struct {
    const char* commandLine;
    uint32_t exitCode;
  } cases[] = {
      {"true", 0},
      {"false", 1},
      {"sh -c \"exit 7\"", 7},
      {"/bin/sh -c \"exit 9\"", 9},
      // Killed by a signal: 128 + its number.
      {"sh -c \"kill -TERM $$\"", 128 + 15},
      {"sh -c \"kill -KILL $$\"", 128 + 9},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.commandLine);
    EXPECT_EQ(processes->Launch(c.commandLine, {.wait = true}).ExitCode(), c.exitCode);
  }
}

TEST(PosixProcessesTest, StartedProgramIsNoChildOfTheCaller) {
  auto processes = platform::posix::MakeProcesses();
  testing_support::ScratchDir scratch;
  const std::string argvFile = scratch.File("argv.bin");
  const int before = ChildCount();
  ASSERT_EQ(processes->Launch(testing_support::TestProgramCommandLine(0, argvFile, "x"), {}),
            platform::LaunchResult::Started());
  EXPECT_EQ(ChildCount(), before);
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  while (!std::filesystem::exists(argvFile) && std::chrono::steady_clock::now() < deadline)
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  EXPECT_TRUE(std::filesystem::exists(argvFile));
  EXPECT_EQ(ChildCount(), before);
}

}  // namespace
