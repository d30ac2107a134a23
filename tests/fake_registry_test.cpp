#include "platform/fake/fake_registry.h"

#include <gtest/gtest.h>

namespace platform::fake {
namespace {

TEST(FakeRegistryTest, SeededValuesKeepTheirTypeAndBytes) {
  FakeRegistry registry;
  registry.SetValue("SOFTWARE\\AFPL Ghostscript\\8.54", "GS_DLL",
                    {kRegBinary, std::string("\x01\0", 2)});
  auto key = registry.OpenKey("\\SOFTWARE\\AFPL Ghostscript\\8.54", kKeyRead);
  ASSERT_NE(key, nullptr);
  auto value = key->ReadValue("GS_DLL");
  ASSERT_TRUE(value.has_value());
  EXPECT_EQ(value->type, kRegBinary);
  EXPECT_EQ(value->data, std::string("\x01\0", 2));
}

TEST(FakeRegistryTest, DeniedKeyCannotBeOpenedOrCreated) {
  FakeRegistry registry;
  registry.AddKey("Ports\\PPP1:");
  registry.AddKey("Ports\\PPP2:");
  registry.DenyOpen("ports\\ppp1:");
  registry.DenyOpen("Ports\\PPP2:", kKeyAllAccess);
  struct Case {
    const char* path;
    uint32_t access;
    bool opens;
  };
  const Case cases[] = {
      {"Ports\\PPP1:", kKeyRead, false},
      {"Ports\\PPP1:", kKeyAllAccess, false},
      {"Ports\\PPP2:", kKeyRead, true},
      {"Ports\\PPP2:", kKeyAllAccess, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.path) + " " + std::to_string(c.access));
    EXPECT_EQ(registry.OpenKey(c.path, c.access) != nullptr, c.opens);
    EXPECT_EQ(registry.CreateKey(c.path, c.access) != nullptr, c.opens);
  }
}

TEST(FakeRegistryTest, FailingValueNameIsRefusedAndEarlierWritesStay) {
  FakeRegistry registry;
  registry.FailWritesOf("LogFileName");
  auto key = registry.CreateKey("Ports\\PPP1:", kKeyAllAccess);
  ASSERT_NE(key, nullptr);
  EXPECT_TRUE(key->WriteString("Command", "redrun.exe"));
  EXPECT_FALSE(key->WriteString("logfilename", "x.log"));
  EXPECT_FALSE(key->WriteDword("LogFileName", 1));
  EXPECT_TRUE(key->WriteDword("Delay", 300));
  EXPECT_FALSE(registry.Value("Ports\\PPP1:", "LogFileName").has_value());
  ASSERT_EQ(registry.WrittenValues().size(), 2u);
  EXPECT_EQ(registry.WrittenValues()[0].keyPath, "Ports\\PPP1:");
  EXPECT_EQ(registry.WrittenValues()[0].name, "Command");
  EXPECT_EQ(registry.WrittenValues()[1].name, "Delay");
}

TEST(FakeRegistryTest, ReadOnlyRegistryAllowsOnlyReading) {
  FakeRegistry registry;
  registry.SetString("Printers\\PDF", "Port", "PPP1:");
  registry.SetReadOnly(true);
  EXPECT_NE(registry.OpenKey("Printers\\PDF", kKeyRead), nullptr);
  EXPECT_EQ(registry.OpenKey("Printers\\PDF", kKeyAllAccess), nullptr);
  EXPECT_EQ(registry.CreateKey("Printers\\PDF", kKeyAllAccess), nullptr);
  EXPECT_EQ(registry.CreateKey("Ports\\PPP1:", kKeyAllAccess), nullptr);
  EXPECT_FALSE(registry.DeleteKeyTree("Printers"));
  EXPECT_FALSE(registry.HasKey("Ports\\PPP1:"));
  EXPECT_TRUE(registry.HasKey("Printers\\PDF"));
}

TEST(FakeRegistryTest, CountsKeysStillOpen) {
  FakeRegistry registry;
  auto first = registry.CreateKey("A", kKeyAllAccess);
  {
    auto second = registry.OpenKey("A", kKeyRead);
    EXPECT_EQ(registry.OpenKeyCount(), 2);
  }
  EXPECT_EQ(registry.OpenKeyCount(), 1);
  first.reset();
  EXPECT_EQ(registry.OpenKeyCount(), 0);
}

}  // namespace
}  // namespace platform::fake
