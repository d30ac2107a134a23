// Several processes change one settings file at once, as the setup window
// and the print jobs do.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "platform/rules/ini_text.h"
#include "support/native_profile.h"
#include "support/scratch_dir.h"

namespace {

constexpr int kWriters = 4;
constexpr int kKeysEach = 40;

std::string Key(int writer, int i) {
  return "k" + std::to_string(writer) + "_" + std::to_string(i);
}
std::string Value(int writer, int i) { return std::to_string(writer * 1000 + i); }

// Number of key lines, or -1 when the file is not the expected shape: one
// header followed by complete "key=value" lines.
int CountKeyLines(const std::string& bytes) {
  const std::string header = "[Jobs]\r\n";
  if (bytes.compare(0, header.size(), header) != 0) return -1;
  int count = 0;
  for (size_t at = header.size(); at < bytes.size();) {
    size_t end = bytes.find("\r\n", at);
    if (end == std::string::npos) return -1;
    std::string line = bytes.substr(at, end - at);
    if (line.size() < 4 || line[0] != 'k' || line.find('=') == std::string::npos) return -1;
    ++count;
    at = end + 2;
  }
  return count;
}

TEST(PosixProfileConcurrencyTest, ProcessesWritingDifferentKeysLoseNone) {
  testing_support::ScratchDir scratch;
  const std::string file = scratch.File("setup.ini");
  testing_support::WriteBytes(file, "[Jobs]\r\n");

  std::vector<pid_t> children;
  for (int writer = 0; writer < kWriters; ++writer) {
    pid_t pid = ::fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
      auto profile = testing_support::MakeNativeProfileForTest();
      bool ok = true;
      for (int i = 0; i < kKeysEach; ++i) {
        ok = profile->WriteString(file, "Jobs", Key(writer, i), Value(writer, i)) && ok;
      }
      ::_exit(ok ? 0 : 1);
    }
    children.push_back(pid);
  }

  // Meanwhile every look at the file finds it whole, and keys only ever grow.
  std::vector<int> statuses(children.size(), -1);
  size_t running = children.size();
  int seen = 0;
  bool whole = true, grew = true;
  while (running > 0) {
    int count = CountKeyLines(testing_support::ReadBytes(file));
    if (count < 0) whole = false;
    if (count < seen) grew = false;
    if (count > seen) seen = count;
    for (size_t c = 0; c < children.size(); ++c) {
      int status = 0;
      if (statuses[c] == -1 && ::waitpid(children[c], &status, WNOHANG) == children[c]) {
        statuses[c] = status;
        --running;
      }
    }
  }
  EXPECT_TRUE(whole);
  EXPECT_TRUE(grew);
  for (int status : statuses) EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);

  std::string bytes = testing_support::ReadBytes(file);
  EXPECT_EQ(CountKeyLines(bytes), kWriters * kKeysEach);
  for (int writer = 0; writer < kWriters; ++writer) {
    for (int i = 0; i < kKeysEach; ++i) {
      SCOPED_TRACE(Key(writer, i));
      EXPECT_EQ(platform::ReadIniValue(bytes, "Jobs", Key(writer, i)), Value(writer, i));
    }
  }
}

}  // namespace
