// A print spooler whose drivers a test lists; it records what it is asked to
// do.
#pragma once

#include <set>
#include <string>
#include <vector>

#include "platform/print_spooler.h"

namespace platform::fake {

class FakePrintSpooler : public PrintSpooler {
 public:
  std::vector<std::string> InstalledDrivers() override { return installed; }
  uint32_t InstallDriverFromStore(const std::string& driver) override;
  uint32_t MakePrinter(const NewPrinter& printer) override;
  std::string ErrorText(uint32_t code) override { return "System error " + std::to_string(code); }

  std::vector<std::string> installed;
  // Drivers the store holds: installing one of them succeeds.
  std::set<std::string> inStore;
  // What MakePrinter answers (0: the printer is made).
  uint32_t addResult = 0;

  std::vector<std::string> installCalls;
  std::vector<NewPrinter> addCalls;
};

}  // namespace platform::fake
