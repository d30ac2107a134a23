#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "platform/posix/posix_backends.h"
#include "platform/posix/scoped_fd.h"
#include "platform/rules/windows_command_line.h"

extern char** environ;

namespace platform::posix {

namespace {

// The words of a command line in the form posix_spawnp takes them. Built
// before any fork, since the child of a fork must not allocate.
class SpawnRequest {
 public:
  explicit SpawnRequest(const std::string& commandLine)
      : words_(SplitWindowsCommandLine(commandLine)) {
    for (std::string& word : words_) argv_.push_back(word.data());
    argv_.push_back(nullptr);
    valid_ = !words_[0].empty() && ::posix_spawnattr_init(&attributes_) == 0;
    if (!valid_) return;
    // A Windows child starts fresh: default signal handling, nothing blocked.
    sigset_t all, none;
    sigfillset(&all);
    sigemptyset(&none);
    ::posix_spawnattr_setsigdefault(&attributes_, &all);
    ::posix_spawnattr_setsigmask(&attributes_, &none);
    ::posix_spawnattr_setflags(&attributes_, POSIX_SPAWN_SETSIGDEF | POSIX_SPAWN_SETSIGMASK);
  }
  // The child leads a process group of its own, which its children join.
  void OwnGroup() {
    if (!valid_) return;
    short flags = 0;
    ::posix_spawnattr_getflags(&attributes_, &flags);
    ::posix_spawnattr_setpgroup(&attributes_, 0);
    ::posix_spawnattr_setflags(&attributes_, flags | POSIX_SPAWN_SETPGROUP);
  }
  ~SpawnRequest() {
    if (valid_) ::posix_spawnattr_destroy(&attributes_);
  }
  SpawnRequest(const SpawnRequest&) = delete;
  SpawnRequest& operator=(const SpawnRequest&) = delete;

  // glibc reports a failed exec as the result of posix_spawnp, so a
  // program that cannot be run never yields a pid.
  std::optional<pid_t> Spawn() {
    if (!valid_) return std::nullopt;
    pid_t pid = 0;
    if (::posix_spawnp(&pid, argv_[0], nullptr, &attributes_, argv_.data(), environ) != 0)
      return std::nullopt;
    return pid;
  }

 private:
  std::vector<std::string> words_;
  std::vector<char*> argv_;
  posix_spawnattr_t attributes_{};
  bool valid_ = false;
};

// The exit code, 128 + the signal for a killed child, or nothing when the
// child cannot be waited for (SIGCHLD ignored by the caller) or is still
// running when the limit passes (it is then left running, unreaped).
std::optional<uint32_t> WaitForExit(pid_t pid,
                                    std::optional<std::chrono::milliseconds> limit = {}) {
  const auto deadline =
      std::chrono::steady_clock::now() + limit.value_or(std::chrono::milliseconds(0));
  // With a limit, the child's pidfd tells of its end the moment it comes;
  // without one (an old kernel), a short poll.
  ScopedFd exited(limit ? static_cast<int>(::syscall(SYS_pidfd_open, pid, 0)) : -1);
  int status = 0;
  for (;;) {
    pid_t done = ::waitpid(pid, &status, limit ? WNOHANG : 0);
    if (done == pid) break;
    if (done < 0 && errno != EINTR) return std::nullopt;
    if (done == 0) {
      const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
          deadline - std::chrono::steady_clock::now());
      if (left.count() <= 0) return std::nullopt;
      if (exited.IsValid()) {
        pollfd end{exited.Get(), POLLIN, 0};
        ::poll(&end, 1, static_cast<int>(std::min<int64_t>(left.count(), 1000)));
      } else {
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
      }
    }
  }
  if (WIFEXITED(status)) return static_cast<uint32_t>(WEXITSTATUS(status));
  if (WIFSIGNALED(status)) return 128u + static_cast<uint32_t>(WTERMSIG(status));
  return std::nullopt;
}

// There is no console to make and no window to hide: the child shares the
// caller's standard streams.
class PosixProcesses : public Processes {
 public:
  LaunchResult Launch(const std::string& commandLine, const LaunchOptions& options) override {
    SpawnRequest request(commandLine);
    if (options.wait) {
      const bool end = options.waitLimit && options.endAtLimit;
      if (end) request.OwnGroup();
      std::optional<pid_t> pid = request.Spawn();
      if (!pid) return LaunchResult::NotStarted();
      if (std::optional<uint32_t> exitCode = WaitForExit(*pid, options.waitLimit))
        return LaunchResult::Exited(*exitCode);
      if (!end) return LaunchResult::LeftRunning();
      ::kill(-*pid, SIGKILL);
      WaitForExit(*pid);
      return LaunchResult::StoppedAtLimit();
    }
    // Double fork: a short-lived middle process spawns the program and
    // exits at once, so the program belongs to init (or the nearest
    // subreaper), which reaps it. The caller keeps no child and needs no
    // SIGCHLD handler.
    pid_t middle = ::fork();
    if (middle < 0) return LaunchResult::NotStarted();
    if (middle == 0) ::_exit(request.Spawn() ? 0 : 1);
    std::optional<uint32_t> started = WaitForExit(middle);
    if (!started || *started != 0) return LaunchResult::NotStarted();
    return LaunchResult::Started();
  }
};

}  // namespace

std::unique_ptr<Processes> MakeProcesses() { return std::make_unique<PosixProcesses>(); }

}  // namespace platform::posix
