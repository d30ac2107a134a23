// Ports against Wine's real registry: a new port's key read back with
// RegEnumValueA, and the spooler printers of tests/data/printers.reg
// imported by regedit and read as the port list reads them.
#include <gtest/gtest.h>

#include <cstdlib>

#include "main/spooler_printers.h"
#include "platform/win32/scoped_handle.h"
#include "procs/add_redirected_port.h"
#include "support/port_list_fixture.h"
#include "win32/started_process.h"

namespace {

using namespace std::chrono_literals;

TEST(PortsUnderWineTest, AddRedirectedPortWritesTheTwelveValues) {
  // The program's folder has a blank, and no "rr_set.exe": that is not reported.
  platform::fake::FakeProcessInfo info{testing_support::ProgramFolder() + "setup.exe", ""};
  platform::ScopedServices scope({.processInfo = &info});
  auto& registry = *platform::Current().registry;
  uint32_t free = 1;
  while (registry.OpenKey(procs::PortKeyPath(procs::PortName(free)), platform::kKeyAllAccess))
    ++free;
  const std::string port = procs::AddRedirectedPort();
  ASSERT_EQ(port, procs::PortName(free));
  platform::win32::ScopedRegistryKey key;
  ASSERT_EQ(::RegOpenKeyExA(HKEY_LOCAL_MACHINE, procs::PortKeyPath(port).c_str() + 1, 0, KEY_READ,
                            key.Receive()),
            ERROR_SUCCESS);
  std::vector<std::pair<std::string, platform::RegistryValue>> stored;
  for (DWORD i = 0;; ++i) {
    char name[256];
    BYTE data[1024];
    DWORD length = sizeof name, type = 0, size = sizeof data;
    if (::RegEnumValueA(key.Get(), i, name, &length, nullptr, &type, data, &size) !=
        ERROR_SUCCESS) {
      break;
    }
    stored.push_back({name, {type, std::string(reinterpret_cast<char*>(data), size)}});
  }
  auto expected = testing_support::PortValues(port);
  ASSERT_EQ(stored.size(), expected.size());
  for (size_t i = 0; i < stored.size(); ++i) {  // in the order written
    EXPECT_EQ(stored[i].first, expected[i].first);
    EXPECT_EQ(stored[i].second.type, expected[i].second.type) << expected[i].first;
    EXPECT_EQ(stored[i].second.data, expected[i].second.data) << expected[i].first;
  }
  key.Reset();
  EXPECT_TRUE(registry.DeleteKeyTree(procs::PortKeyPath(port)));
}

TEST(PortsUnderWineTest, PrintersFixtureSeedsWinesSpoolerKey) {
  std::string fixture = "Z:" + std::string(PDFPRINTER_SOURCE_DIR) + "/tests/data/printers.reg";
  for (char& c : fixture) c = c == '/' ? '\\' : c;
  testing_support::StartedProcess regedit("\"" + std::string(std::getenv("windir")) +
                                          "\\regedit.exe\" /s \"" + fixture + "\"");
  ASSERT_EQ(regedit.WaitForExit(60s), std::optional<DWORD>(0));
  const std::pair<const char*, const char*> cases[] = {{"PPP1:", "PDF Printer (Copy 2)"},
                                                       {"PPP2:", ""},
                                                       {"PPP2:,PPP3:", "Two Ports"},
                                                       {"PPP4:", ""},
                                                       {"ppp4:", "Lower Case"}};
  for (const auto& [port, printer] : cases) EXPECT_EQ(main_window::PrinterOnPort(port), printer);
  for (const char* printer : {"PDF Printer", "PDF Printer (Copy 2)", "Two Ports", "Lower Case"}) {
    EXPECT_TRUE(platform::Current().registry->DeleteKeyTree(testing_support::kPrintersKey + "\\" +
                                                            printer));
  }
}

}  // namespace
