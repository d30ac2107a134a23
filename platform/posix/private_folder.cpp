#include "platform/posix/private_folder.h"

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "platform/error.h"

namespace platform::posix {

namespace {

[[noreturn]] void Fail(const std::string& folder, const std::string& why) {
  throw Error("EOSError", "Cannot use the folder " + folder + ": " + why);
}

std::string Environment(const char* name) {
  const char* value = std::getenv(name);
  return value && value[0] == '/' ? value : "";
}

std::string CacheFolder() {
  if (std::string cache = Environment("XDG_CACHE_HOME"); !cache.empty()) return cache;
  std::string home = HomeFolder();
  if (home.empty()) Fail("~/.cache", "the user has no home folder");
  return home + "/.cache";
}

// Makes the folder unless it exists; errors other than "exists" are the
// caller's to see in the check that follows.
void MakeFolder(const std::string& folder) {
  if (mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST) Fail(folder, SystemReason(errno));
}

void CheckOwnFolder(const std::string& folder) {
  struct stat st {};
  if (lstat(folder.c_str(), &st) != 0) Fail(folder, SystemReason(errno));
  if (S_ISLNK(st.st_mode)) Fail(folder, "it is a link");
  if (!S_ISDIR(st.st_mode)) Fail(folder, "it is not a folder");
  if (st.st_uid != geteuid()) Fail(folder, "it belongs to another user");
  if ((st.st_mode & (S_IWGRP | S_IWOTH)) != 0) Fail(folder, "other users may write in it");
}

}  // namespace

std::string PrivateCacheFolder(const std::string& relative) {
  std::string cache = CacheFolder();
  MakeFolder(cache);  // the user's own cache folder, as it is
  std::string folder = cache + "/pdfprinter";
  MakeFolder(folder);
  CheckOwnFolder(folder);
  size_t start = 0;
  while (start < relative.size()) {
    size_t end = relative.find('/', start);
    if (end == std::string::npos) end = relative.size();
    if (end > start) {
      folder += "/" + relative.substr(start, end - start);
      MakeFolder(folder);
      CheckOwnFolder(folder);
    }
    start = end + 1;
  }
  return folder;
}

std::string HomeFolder() {
  std::string home = Environment("HOME");
  if (home.empty()) {
    const passwd* account = getpwuid(geteuid());
    if (account && account->pw_dir && account->pw_dir[0] == '/') home = account->pw_dir;
  }
  return home;
}

std::string UserRuntimeFolder() {
  std::string runtime = Environment("XDG_RUNTIME_DIR");
  struct stat st {};
  if (!runtime.empty() && lstat(runtime.c_str(), &st) == 0 && S_ISDIR(st.st_mode) &&
      st.st_uid == geteuid() && (st.st_mode & 0777) == 0700) {
    return runtime;
  }
  return PrivateCacheFolder("");
}

std::string SystemReason(int error) {
  return error == ELOOP ? "a symbolic link stands there" : std::strerror(error);
}

}  // namespace platform::posix
