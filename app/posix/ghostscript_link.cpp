#include "app/posix/ghostscript_link.h"

#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <vector>

#include "platform/error.h"
#include "platform/posix/private_folder.h"

namespace app {

std::string GhostscriptLink(size_t n, const std::string& program) {
  std::string link =
      platform::posix::PrivateCacheFolder("ghostscript/" + std::to_string(n) + "/bin") + "/gs";
  std::vector<char> target(program.size() + 2);
  ssize_t length = readlink(link.c_str(), target.data(), target.size());
  if (length >= 0 && std::string(target.data(), length) == program) return link;

  // Jobs may do this at the same time: each renames a link of its own.
  std::string fresh = link + "." + std::to_string(getpid());
  unlink(fresh.c_str());
  if (symlink(program.c_str(), fresh.c_str()) != 0 || rename(fresh.c_str(), link.c_str()) != 0) {
    int error = errno;
    unlink(fresh.c_str());
    throw platform::Error("EOSError", "Cannot link " + link + " to " + program + ": " +
                                          platform::posix::SystemReason(error));
  }
  return link;
}

}  // namespace app
