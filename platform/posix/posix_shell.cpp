#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <vector>

#include "platform/posix/posix_backends.h"

extern char** environ;

namespace platform::posix {

namespace {

// ShellExecute's answers that we can give: success is above 32.
constexpr intptr_t kShellOk = 42;
constexpr intptr_t kShellFileNotFound = 2;
constexpr intptr_t kShellNoAssociation = 31;

class PosixShell : public Shell {
 public:
  // Linux has no such question: nothing is started.
  bool RunAsAdministrator(const std::string&, const std::string&) override { return false; }
  intptr_t Execute(const std::string& verb, const std::string& file, const std::string&,
                   const std::string&, int) override {
    if (verb != "open") return kShellNoAssociation;
    if (access(file.c_str(), F_OK) != 0) return kShellFileNotFound;
    // xdg-open runs detached: a grandchild, so nothing is left to wait for.
    pid_t child = fork();
    if (child < 0) return kShellNoAssociation;
    if (child == 0) {
      setsid();
      std::vector<char*> argv{const_cast<char*>("xdg-open"), const_cast<char*>(file.c_str()),
                              nullptr};
      posix_spawn_file_actions_t quiet;
      posix_spawn_file_actions_init(&quiet);
      posix_spawn_file_actions_addopen(&quiet, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
      posix_spawn_file_actions_addopen(&quiet, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
      pid_t grandchild = 0;
      int rc = posix_spawnp(&grandchild, "xdg-open", &quiet, nullptr, argv.data(), environ);
      _exit(rc == 0 ? 0 : 1);
    }
    int status = 0;
    while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    return WIFEXITED(status) && WEXITSTATUS(status) == 0 ? kShellOk : kShellNoAssociation;
  }
};

}  // namespace

std::unique_ptr<Shell> MakeShell() { return std::make_unique<PosixShell>(); }

}  // namespace platform::posix
