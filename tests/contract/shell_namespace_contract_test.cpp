// One suite for every shell-namespace backend of the build: the fake, and
// the native one (POSIX, or COM under Wine). What every backend must share:
// the task allocator and the conversion of wide display names.
#include <gtest/gtest.h>

#include <cstring>

#include "platform/fake/fake_shell_namespace.h"
#include "platform/services.h"

namespace {

TEST(ShellNamespaceContractTest, AllocatorAndWideNames) {
  platform::fake::FakeShellNamespace fake;
  for (platform::ShellNamespace* shell :
       {static_cast<platform::ShellNamespace*>(&fake), platform::NativeServices().shellNamespace}) {
    SCOPED_TRACE(shell == &fake ? "fake" : "native");
    auto allocator = shell->TaskAllocator();
    ASSERT_NE(allocator, nullptr);
    void* block = allocator->Alloc(300);
    ASSERT_NE(block, nullptr);
    std::memset(block, 0x5A, 300);
    allocator->Free(block);
    allocator->Free(nullptr);  // harmless
    char buffer[8];
    // The terminator counts; a text that does not fit gives 0.
    const std::pair<std::u16string, size_t> cases[] = {
        {u"", 1}, {u"Printer", 8}, {u"Printers", 0}, {u"Caf\u00E9", 5}};
    for (const auto& [text, written] : cases) {
      EXPECT_EQ(shell->AnsiFromWide(text, buffer, sizeof buffer), written);
      if (written) {
        EXPECT_EQ(std::string(buffer), std::string(text.begin(), text.end()));
      }
    }
  }
  EXPECT_EQ(fake.LiveBlocks(), 0);
}

}  // namespace
