// The print spooler, as far as the program adds a printer of its own.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace platform {

// A local printer to be made (Windows: PRINTER_INFO_2A, the fields not named
// here zero).
struct NewPrinter {
  std::string name;
  std::string port;
  std::string driver;
  std::string printProcessor;
  std::string dataType;
};

class PrintSpooler {
 public:
  virtual ~PrintSpooler() = default;
  // The printer drivers installed for the system's own environment
  // (Windows: EnumPrinterDriversA, level 1). POSIX: none.
  virtual std::vector<std::string> InstalledDrivers() = 0;
  // Installs a driver that the system ships from its driver store (Windows 7
  // and later: InstallPrinterDriverFromPackageA, no server, no INF path, no
  // environment, no flags). 0, or the system's error code (an HRESULT there;
  // a system without the function gives ERROR_NOT_SUPPORTED, 50).
  virtual uint32_t InstallDriverFromStore(const std::string& driver) = 0;
  // Makes a local printer (Windows: AddPrinterA, level 2, no server; the
  // name is not AddPrinter, which <windows.h> makes a macro). 0, or
  // the system's error code.
  virtual uint32_t MakePrinter(const NewPrinter& printer) = 0;
  // The system's text for an error code, without a line break at its end.
  virtual std::string ErrorText(uint32_t code) = 0;
};

}  // namespace platform
