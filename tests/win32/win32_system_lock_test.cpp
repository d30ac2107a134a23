// The settings file's lock on Windows: a global named mutex, waited for a
// bounded time; where it cannot be had, nothing waits longer.
#include <gtest/gtest.h>

#include <future>

#include "platform/win32/scoped_handle.h"
#include "platform/win32/system_lock.h"

namespace {

using namespace std::chrono_literals;
using platform::win32::AcquireSystemLock;

TEST(Win32SystemLockTest, HeldUntilReleasedWaitedForABoundedTime) {
  auto lock = AcquireSystemLock("PdfPrinterLockTest", 0ms);
  ASSERT_NE(lock, nullptr);
  // Another thread (a mutex is the thread's, not the process's) waits, and
  // gives up at its limit.
  const auto start = std::chrono::steady_clock::now();
  auto late = std::async(std::launch::async,
                         [] { return AcquireSystemLock("PdfPrinterLockTest", 300ms) != nullptr; });
  EXPECT_FALSE(late.get()) << "taken twice";
  EXPECT_GE(std::chrono::steady_clock::now() - start, 300ms);
  EXPECT_LT(std::chrono::steady_clock::now() - start, 10s);
  auto other = std::async(std::launch::async,
                          [] { return AcquireSystemLock("PdfPrinterLockTest", 30s) != nullptr; });
  EXPECT_EQ(other.wait_for(200ms), std::future_status::timeout) << "taken twice";
  lock.reset();
  ASSERT_EQ(other.wait_for(10s), std::future_status::ready);
  EXPECT_TRUE(other.get());

  // An event already holds the name: no lock, at once.
  platform::win32::ScopedKernelHandle event(
      ::CreateEventA(nullptr, FALSE, FALSE, "Global\\PdfPrinterLockTaken"));
  ASSERT_TRUE(event.IsValid());
  EXPECT_EQ(AcquireSystemLock("PdfPrinterLockTaken", 30s), nullptr);
}

}  // namespace
