#include "platform/error.h"
#include "platform/system_lock.h"
#include "platform/win32/scoped_handle.h"

namespace platform {

namespace {

class MutexLock : public SystemLock {
 public:
  explicit MutexLock(win32::ScopedKernelHandle mutex) : mutex_(std::move(mutex)) {}
  ~MutexLock() override { ::ReleaseMutex(mutex_.Get()); }

 private:
  win32::ScopedKernelHandle mutex_;
};

[[noreturn]] void Fail(const std::string& name, DWORD error) {
  char text[512] = {};
  DWORD n = ::FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                             error, 0, text, sizeof text, nullptr);
  while (n > 0 && (text[n - 1] == '\r' || text[n - 1] == '\n' || text[n - 1] == '.')) --n;
  std::string reason = n > 0 ? std::string(text, n) : "system error " + std::to_string(error);
  throw Error("EOSError", "Cannot take the lock " + name + ": " + reason);
}

}  // namespace

std::unique_ptr<SystemLock> AcquireSystemLock(const std::string& name) {
  win32::ScopedKernelHandle mutex(::CreateMutexA(nullptr, FALSE, name.c_str()));
  if (!mutex.IsValid()) Fail(name, ::GetLastError());
  DWORD wait = ::WaitForSingleObject(mutex.Get(), INFINITE);
  if (wait == WAIT_FAILED) Fail(name, ::GetLastError());
  if (wait != WAIT_OBJECT_0 && wait != WAIT_ABANDONED) Fail(name, ERROR_INVALID_HANDLE);
  return std::make_unique<MutexLock>(std::move(mutex));
}

}  // namespace platform
