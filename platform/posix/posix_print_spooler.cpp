#include "platform/posix/posix_backends.h"

namespace platform::posix {

namespace {

// Linux has no Windows print spooler: no driver, and no printer is made.
class PosixPrintSpooler : public PrintSpooler {
 public:
  std::vector<std::string> InstalledDrivers() override { return {}; }
  uint32_t InstallDriverFromStore(const std::string&) override { return kErrorNotSupported; }
  uint32_t MakePrinter(const NewPrinter&) override { return kErrorNotSupported; }
  std::string ErrorText(uint32_t code) override {
    return code == kErrorNotSupported ? "The request is not supported."
                                      : "Error " + std::to_string(code);
  }
};

}  // namespace

std::unique_ptr<PrintSpooler> MakePrintSpooler() { return std::make_unique<PosixPrintSpooler>(); }

}  // namespace platform::posix
