#include "procs/add_redirected_port.h"

#include <gtest/gtest.h>

#include <functional>

#include "platform/error.h"
#include "support/port_list_fixture.h"

namespace {

using testing_support::ProgramFolder;

TEST(AddRedirectedPortTest, RunsRrSetThenWritesTheLowestFreePort) {
  using Scene = testing_support::PortListScene;
  struct Case {
    const char* name;
    std::function<void(Scene&)> seed;
    std::string port;   // "" when it fails
    std::string error;  // then
    size_t written;
  };
  const Case cases[] = {
      {"none present", [](Scene&) {}, "PPP1:", "", 12},
      {"gaps are filled",
       [](Scene& t) {
         t.AddPorts({1, 2, 4});
       },
       "PPP3:", "", 12},
      {"no upper bound",
       [](Scene& t) {
         for (int n = 1; n <= 100; ++n) t.AddPorts({n});
       },
       "PPP101:", "", 12},
      {"a value refused", [](Scene& t) { t.registry.FailWritesOf("Delay"); }, "",
       "Failed to set data for 'Delay'", 2},
      {"no write access", [](Scene& t) { t.registry.SetReadOnly(true); }, "",
       "Failed to set data for 'Arguments'", 0},
      {"a key that does not open for full access is free, but cannot be created",
       [](Scene& t) {
         t.AddPorts({1});
         t.registry.DenyOpen(procs::PortKeyPath("PPP1:"), platform::kKeyAllAccess);
       },
       "", "Failed to set data for 'Arguments'", 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Scene t;
    c.seed(t);
    size_t writtenWhenRrSetRan = 99;
    t.processes.QueueRun([&](const std::string&) {
      writtenWhenRrSetRan = t.registry.WrittenValues().size();
      return platform::LaunchResult::NotStarted();  // not reported
    });
    std::string port, error;
    try {
      port = procs::AddRedirectedPort();
    } catch (const platform::ERegistryException& e) {
      error = e.Message();
    }
    EXPECT_EQ(port, c.port);
    EXPECT_EQ(error, c.error);
    ASSERT_EQ(t.processes.calls.size(), 1u);
    EXPECT_EQ(t.processes.calls[0].commandLine, "\"" + ProgramFolder() + "rr_set.exe\" /s");
    EXPECT_TRUE(t.processes.calls[0].options.hidden);
    EXPECT_TRUE(t.processes.calls[0].options.wait);
    EXPECT_EQ(writtenWhenRrSetRan, 0u);
    auto written = t.registry.WrittenValues();
    ASSERT_EQ(written.size(), c.written);
    auto expected = testing_support::PortValues(port);
    for (size_t i = 0; i < written.size(); ++i) {
      SCOPED_TRACE(expected[i].first);
      EXPECT_EQ(written[i].name, expected[i].first);  // in this order
      if (port.empty()) continue;
      auto value = t.registry.Value(procs::PortKeyPath(port), expected[i].first);
      EXPECT_EQ(value->type, expected[i].second.type);
      EXPECT_EQ(value->data, expected[i].second.data);
    }
  }
}

}  // namespace
