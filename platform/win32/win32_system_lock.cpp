#include "platform/error.h"
#include "platform/system_lock.h"
#include "platform/win32/scoped_handle.h"
#include "platform/win32/system_error_text.h"

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
  std::string reason = win32::SystemErrorText(error);
  if (!reason.empty() && reason.back() == '.') reason.pop_back();
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
