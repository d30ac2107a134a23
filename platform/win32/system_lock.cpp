#include "platform/win32/system_lock.h"
#include "platform/error.h"
#include "platform/win32/scoped_handle.h"
#include "platform/win32/system_error_text.h"

namespace platform::win32 {

namespace {

class MutexLock : public SystemLock {
 public:
  explicit MutexLock(ScopedKernelHandle mutex) : mutex_(std::move(mutex)) {}
  ~MutexLock() override { ::ReleaseMutex(mutex_.Get()); }

 private:
  ScopedKernelHandle mutex_;
};

[[noreturn]] void Fail(const std::string& name, DWORD error) {
  std::string reason = SystemErrorText(error);
  if (!reason.empty() && reason.back() == '.') reason.pop_back();
  throw Error("EOSError", "Cannot take the lock " + name + ": " + reason);
}

}  // namespace

std::unique_ptr<SystemLock> AcquireSystemLock(const std::string& name) {
  // Everyone may wait for it and release it: a mutex made by a job of the
  // spooler's would otherwise be closed to the users' processes.
  PSECURITY_DESCRIPTOR descriptor = nullptr;
  ::ConvertStringSecurityDescriptorToSecurityDescriptorA("D:(A;;0x001F0001;;;WD)", SDDL_REVISION_1,
                                                         &descriptor, nullptr);
  SECURITY_ATTRIBUTES security{sizeof security, descriptor, FALSE};
  ScopedKernelHandle mutex(
      ::CreateMutexA(descriptor ? &security : nullptr, FALSE, ("Global\\" + name).c_str()));
  if (descriptor) ::LocalFree(descriptor);
  if (!mutex.IsValid()) Fail(name, ::GetLastError());
  DWORD wait = ::WaitForSingleObject(mutex.Get(), INFINITE);
  if (wait == WAIT_FAILED) Fail(name, ::GetLastError());
  if (wait != WAIT_OBJECT_0 && wait != WAIT_ABANDONED) Fail(name, ERROR_INVALID_HANDLE);
  return std::make_unique<MutexLock>(std::move(mutex));
}

}  // namespace platform::win32
