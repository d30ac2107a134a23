#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "platform/error.h"
#include "platform/posix/posix_backends.h"
#include "platform/posix/scoped_fd.h"
#include "platform/rules/output_lines.h"
#include "platform/rules/windows_command_line.h"

extern char** environ;

namespace platform::posix {

namespace {

// The signals by which a caller is asked to end.
constexpr int kEndSignals[] = {SIGTERM, SIGINT, SIGHUP, SIGQUIT};

// The words of a command line and the environment, in the form exec takes
// them. Built before any fork, since the child of a fork must not allocate.
class SpawnRequest {
 public:
  SpawnRequest(const std::string& commandLine, const LaunchOptions& options)
      : words_(SplitWindowsCommandLine(commandLine)) {
    for (std::string& word : words_) argv_.push_back(word.data());
    argv_.push_back(nullptr);
    for (char** entry = environ; *entry; ++entry) {
      if (!options.temporaryFolder || std::strncmp(*entry, "TMPDIR=", 7) != 0)
        environment_.push_back(*entry);
    }
    if (options.temporaryFolder) environment_.push_back("TMPDIR=" + *options.temporaryFolder);
    for (std::string& entry : environment_) envp_.push_back(entry.data());
    envp_.push_back(nullptr);
    program_ = FindProgram(words_[0]);
  }

  // With posix_spawn: glibc reports a failed exec as its result, so a
  // program that cannot be run never yields a pid. `ownGroup`: the child
  // leads a process group of its own, which its children join.
  std::optional<pid_t> Spawn(bool ownGroup) {
    if (program_.empty()) return std::nullopt;
    posix_spawnattr_t attributes;
    if (::posix_spawnattr_init(&attributes) != 0) return std::nullopt;
    // A Windows child starts fresh: default signal handling, nothing blocked.
    sigset_t all, none;
    sigfillset(&all);
    sigemptyset(&none);
    ::posix_spawnattr_setsigdefault(&attributes, &all);
    ::posix_spawnattr_setsigmask(&attributes, &none);
    ::posix_spawnattr_setpgroup(&attributes, 0);
    ::posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGDEF | POSIX_SPAWN_SETSIGMASK |
                                                (ownGroup ? POSIX_SPAWN_SETPGROUP : 0));
    pid_t pid = 0;
    const int failed =
        ::posix_spawn(&pid, program_.c_str(), nullptr, &attributes, argv_.data(), envp_.data());
    ::posix_spawnattr_destroy(&attributes);
    if (failed) return std::nullopt;
    return pid;
  }

  // With fork, for a child that dies with its parent: in a process group of
  // its own, killed when the parent dies, its standard output `output` when
  // that is valid. A failed exec is reported through a pipe that closes on
  // exec, so it never yields a pid either.
  std::optional<pid_t> SpawnOwned(int output) {
    if (program_.empty()) return std::nullopt;
    int report[2];
    if (::pipe2(report, O_CLOEXEC) != 0) return std::nullopt;
    ScopedFd reader(report[0]), writer(report[1]);
    const pid_t parent = ::getpid();
    const pid_t pid = ::fork();
    if (pid < 0) return std::nullopt;
    if (pid == 0) {
      // Only async-signal-safe calls from here on.
      ::setpgid(0, 0);
      ::prctl(PR_SET_PDEATHSIG, SIGKILL);
      if (::getppid() != parent) ::_exit(127);
      struct sigaction plain {};
      plain.sa_handler = SIG_DFL;
      for (int signal = 1; signal < NSIG; ++signal) ::sigaction(signal, &plain, nullptr);
      sigset_t none;
      sigemptyset(&none);
      ::sigprocmask(SIG_SETMASK, &none, nullptr);
      if (output >= 0 && ::dup2(output, STDOUT_FILENO) < 0) ::_exit(127);
      ::execve(program_.c_str(), argv_.data(), envp_.data());
      const int error = errno;
      [[maybe_unused]] ssize_t written = ::write(writer.Get(), &error, sizeof error);
      ::_exit(127);
    }
    ::setpgid(pid, pid);
    writer.Reset();
    int error = 0;
    ssize_t n;
    while ((n = ::read(reader.Get(), &error, sizeof error)) < 0 && errno == EINTR) {
    }
    if (n > 0) {
      while (::waitpid(pid, nullptr, 0) < 0 && errno == EINTR) {
      }
      return std::nullopt;
    }
    return pid;
  }

 private:
  // The program as exec takes it: a name without "/" found on the search
  // path, as posix_spawnp finds it.
  static std::string FindProgram(const std::string& name) {
    if (name.empty() || name.find('/') != std::string::npos) return name;
    const char* searchPath = std::getenv("PATH");
    std::string folders = searchPath ? searchPath : "/usr/local/bin:/usr/bin:/bin";
    for (size_t start = 0; start <= folders.size();) {
      size_t end = std::min(folders.find(':', start), folders.size());
      std::string folder = folders.substr(start, end - start);
      std::string candidate = (folder.empty() ? "." : folder) + "/" + name;
      struct stat info {};
      if (::stat(candidate.c_str(), &info) == 0 && S_ISREG(info.st_mode) &&
          ::access(candidate.c_str(), X_OK) == 0) {
        return candidate;
      }
      start = end + 1;
    }
    return "";
  }

  std::vector<std::string> words_;
  std::vector<char*> argv_;
  std::vector<std::string> environment_;
  std::vector<char*> envp_;
  std::string program_;
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

// While the caller waits for a program that ends with it: a request to end
// the caller ends the program's process group at once (kill is safe in a
// signal handler) and is remembered for the caller.
volatile sig_atomic_t endRequest = 0;
volatile pid_t ownedGroup = 0;

// Waits for the child's end, giving its output's lines as they come and
// ticking (LaunchOptions::onOutputLine, onTick). The exit code as
// WaitForExit gives it; nothing at the limit, and `cancelled` set when a
// tick said to end.
std::optional<uint32_t> WaitWatching(pid_t pid, const LaunchOptions& options, ScopedFd output,
                                     bool& cancelled) {
  using Clock = std::chrono::steady_clock;
  const auto start = Clock::now();
  auto nextTick = start + LaunchOptions::kTickInterval;
  ScopedFd exited(static_cast<int>(::syscall(SYS_pidfd_open, pid, 0)));
  OutputLines lines([&](const std::string& line) {
    if (options.onOutputLine) options.onOutputLine(line);
  });
  auto readOutput = [&] {
    char chunk[4096];
    ssize_t n;
    while ((n = ::read(output.Get(), chunk, sizeof chunk)) > 0) lines.Add(chunk, n);
    if (n == 0) output.Reset();  // every writer has closed it
  };
  ::fcntl(output.Get(), F_SETFL, ::fcntl(output.Get(), F_GETFL) | O_NONBLOCK);
  for (;;) {
    int status = 0;
    pid_t done = ::waitpid(pid, &status, WNOHANG);
    if (done == pid) {
      if (output.IsValid()) readOutput();
      lines.Finish();
      if (WIFEXITED(status)) return static_cast<uint32_t>(WEXITSTATUS(status));
      return 128u + static_cast<uint32_t>(WTERMSIG(status));
    }
    if (done < 0 && errno != EINTR) return std::nullopt;
    if (endRequest) return std::nullopt;
    const auto now = Clock::now();
    if (options.waitLimit && now - start >= *options.waitLimit) return std::nullopt;
    if (now >= nextTick) {
      nextTick = now + LaunchOptions::kTickInterval;
      if (options.onTick && !options.onTick()) {
        cancelled = true;
        return std::nullopt;
      }
    }
    auto until = nextTick;
    if (options.waitLimit) until = std::min(until, start + *options.waitLimit);
    const auto wait = std::chrono::duration_cast<std::chrono::milliseconds>(until - now);
    pollfd watched[2] = {{exited.Get(), POLLIN, 0}, {output.Get(), POLLIN, 0}};
    if (exited.IsValid() || output.IsValid()) {
      ::poll(watched, 2, static_cast<int>(std::clamp<int64_t>(wait.count(), 1, 1000)));
    } else {
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    if (output.IsValid() && watched[1].revents) readOutput();
  }
}

void OnEndRequest(int signal) {
  endRequest = signal;
  if (ownedGroup > 0) ::kill(-ownedGroup, SIGKILL);
}

class EndRequestHandlers {
 public:
  EndRequestHandlers() {
    struct sigaction handler {};
    handler.sa_handler = OnEndRequest;
    sigemptyset(&handler.sa_mask);
    for (size_t i = 0; i < std::size(kEndSignals); ++i)
      ::sigaction(kEndSignals[i], &handler, &previous_[i]);
  }
  ~EndRequestHandlers() {
    ownedGroup = 0;
    for (size_t i = 0; i < std::size(kEndSignals); ++i)
      ::sigaction(kEndSignals[i], &previous_[i], nullptr);
  }
  EndRequestHandlers(const EndRequestHandlers&) = delete;
  EndRequestHandlers& operator=(const EndRequestHandlers&) = delete;

 private:
  struct sigaction previous_[std::size(kEndSignals)]{};
};

// Blocks the end signals while a child is started and its group recorded,
// so that a request never misses the group.
class BlockedEndSignals {
 public:
  BlockedEndSignals() {
    sigset_t blocked;
    sigemptyset(&blocked);
    for (int signal : kEndSignals) sigaddset(&blocked, signal);
    ::sigprocmask(SIG_BLOCK, &blocked, &previous_);
  }
  ~BlockedEndSignals() { ::sigprocmask(SIG_SETMASK, &previous_, nullptr); }
  BlockedEndSignals(const BlockedEndSignals&) = delete;
  BlockedEndSignals& operator=(const BlockedEndSignals&) = delete;

 private:
  sigset_t previous_;
};

// There is no console to make and no window to hide: the child shares the
// caller's standard streams.
class PosixProcesses : public Processes {
 public:
  LaunchResult Launch(const std::string& commandLine, const LaunchOptions& options) override {
    SpawnRequest request(commandLine, options);
    if (options.wait && options.endWithCaller) return RunOwned(request, options);
    if (options.wait) {
      const bool end = options.waitLimit && options.endAtLimit;
      std::optional<pid_t> pid = request.Spawn(end);
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
    if (middle == 0) ::_exit(request.Spawn(false) ? 0 : 1);
    std::optional<uint32_t> started = WaitForExit(middle);
    if (!started || *started != 0) return LaunchResult::NotStarted();
    return LaunchResult::Started();
  }

 private:
  static LaunchResult RunOwned(SpawnRequest& request, const LaunchOptions& options) {
    endRequest = 0;
    EndRequestHandlers handlers;
    const bool watched = options.onOutputLine || options.onTick;
    ScopedFd reader, writer;
    if (watched) {
      int ends[2];
      if (::pipe2(ends, O_CLOEXEC) != 0) return LaunchResult::NotStarted();
      reader = ScopedFd(ends[0]);
      writer = ScopedFd(ends[1]);
    }
    std::optional<pid_t> pid;
    {
      BlockedEndSignals blocked;
      pid = request.SpawnOwned(writer.IsValid() ? writer.Get() : -1);
      if (pid) ownedGroup = *pid;
    }
    writer.Reset();
    if (!pid) return LaunchResult::NotStarted();
    bool cancelled = false;
    std::optional<uint32_t> exitCode =
        watched ? WaitWatching(*pid, options, std::move(reader), cancelled)
                : WaitForExit(*pid, options.waitLimit);
    const bool stopped = !exitCode;
    if (stopped) {
      ::kill(-*pid, SIGKILL);
      WaitForExit(*pid);
    }
    // The group's other programs end with it, whatever the caller does next.
    ::kill(-*pid, SIGKILL);
    if (endRequest) throw ExitWithCode(128 + endRequest);
    if (cancelled) return LaunchResult::Cancelled();
    if (stopped)
      return options.endAtLimit ? LaunchResult::StoppedAtLimit() : LaunchResult::LeftRunning();
    return LaunchResult::Exited(*exitCode);
  }
};

}  // namespace

std::unique_ptr<Processes> MakeProcesses() { return std::make_unique<PosixProcesses>(); }

}  // namespace platform::posix
