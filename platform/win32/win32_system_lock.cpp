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

}  // namespace

std::unique_ptr<SystemLock> AcquireSystemLock(const std::string& name) {
  win32::ScopedKernelHandle mutex(::CreateMutexA(nullptr, FALSE, name.c_str()));
  if (!mutex.IsValid()) return nullptr;
  DWORD wait = ::WaitForSingleObject(mutex.Get(), INFINITE);
  if (wait != WAIT_OBJECT_0 && wait != WAIT_ABANDONED) return nullptr;
  return std::make_unique<MutexLock>(std::move(mutex));
}

}  // namespace platform
