#include "platform/fake/fake_print_spooler.h"

namespace platform::fake {

namespace {
constexpr uint32_t kErrorNotFound = 0x80070490;  // HRESULT of ERROR_NOT_FOUND
}  // namespace

uint32_t FakePrintSpooler::InstallDriverFromStore(const std::string& driver) {
  installCalls.push_back(driver);
  if (!inStore.count(driver)) return kErrorNotFound;
  installed.push_back(driver);
  return 0;
}

uint32_t FakePrintSpooler::MakePrinter(const NewPrinter& printer) {
  addCalls.push_back(printer);
  return addResult;
}

}  // namespace platform::fake
