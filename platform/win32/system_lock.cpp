#include "platform/win32/system_lock.h"

#include <algorithm>

#include "platform/win32/scoped_handle.h"
#include "platform/win32/system_function.h"

namespace platform::win32 {

namespace {

class MutexLock : public SystemLock {
 public:
  explicit MutexLock(ScopedKernelHandle mutex) : mutex_(std::move(mutex)) {}
  ~MutexLock() override { ::ReleaseMutex(mutex_.Get()); }

 private:
  ScopedKernelHandle mutex_;
};

// Wait for it and release it: SYNCHRONIZE | MUTEX_MODIFY_STATE.
constexpr DWORD kTakeAccess = 0x00100001;

}  // namespace

std::unique_ptr<SystemLock> AcquireSystemLock(const std::string& name,
                                              std::chrono::milliseconds limit) {
  // For every user (a mutex made by a job of the spooler's must open for
  // the users' processes), and only what taking the lock needs.
  PSECURITY_DESCRIPTOR descriptor = nullptr;
  ::ConvertStringSecurityDescriptorToSecurityDescriptorA("D:(A;;0x00100001;;;WD)", SDDL_REVISION_1,
                                                         &descriptor, nullptr);
  SECURITY_ATTRIBUTES security{sizeof security, descriptor, FALSE};
  // Asks only for that access: CreateMutexA would ask for all of it.
  using CreateMutexExFunction = HANDLE(WINAPI*)(LPSECURITY_ATTRIBUTES, LPCSTR, DWORD, DWORD);
  static const auto createMutexEx =
      LookUpFunction<CreateMutexExFunction>(::GetModuleHandleA("kernel32.dll"), "CreateMutexExA");
  const std::string global = "Global\\" + name;
  ScopedKernelHandle mutex(
      createMutexEx
          ? createMutexEx(descriptor ? &security : nullptr, global.c_str(), 0, kTakeAccess)
          : ::CreateMutexA(descriptor ? &security : nullptr, FALSE, global.c_str()));
  if (descriptor) ::LocalFree(descriptor);
  if (!mutex.IsValid()) return nullptr;
  const DWORD wait = ::WaitForSingleObject(
      mutex.Get(), static_cast<DWORD>(std::clamp<int64_t>(limit.count(), 0, INFINITE - 1)));
  if (wait != WAIT_OBJECT_0 && wait != WAIT_ABANDONED) return nullptr;
  return std::make_unique<MutexLock>(std::move(mutex));
}

}  // namespace platform::win32
