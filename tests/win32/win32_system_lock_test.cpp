// The settings file's lock on Windows: a global named mutex, or a clear error.
#include <gtest/gtest.h>

#include <future>

#include "platform/error.h"
#include "platform/win32/scoped_handle.h"
#include "platform/win32/system_lock.h"

namespace {

using namespace std::chrono_literals;

TEST(Win32SystemLockTest, HeldUntilReleasedAndRefusedWhenTheNameIsNoMutex) {
  auto lock = platform::win32::AcquireSystemLock("PdfPrinterLockTest");
  ASSERT_NE(lock, nullptr);
  // Another thread (a mutex is the thread's, not the process's) waits.
  auto other = std::async(std::launch::async, [] {
    return platform::win32::AcquireSystemLock("PdfPrinterLockTest") != nullptr;
  });
  EXPECT_EQ(other.wait_for(200ms), std::future_status::timeout) << "taken twice";
  lock.reset();
  ASSERT_EQ(other.wait_for(10s), std::future_status::ready);
  EXPECT_TRUE(other.get());

  // An event already holds the name: CreateMutexA cannot open it.
  platform::win32::ScopedKernelHandle event(
      ::CreateEventA(nullptr, FALSE, FALSE, "Global\\PdfPrinterLockTaken"));
  ASSERT_TRUE(event.IsValid());
  try {
    platform::win32::AcquireSystemLock("PdfPrinterLockTaken");
    FAIL() << "no error";
  } catch (const platform::Error& error) {
    EXPECT_EQ(error.Kind(), "EOSError");
    EXPECT_NE(error.Message().find("Cannot take the lock PdfPrinterLockTaken: "), std::string::npos)
        << error.Message();
  }
}

}  // namespace
