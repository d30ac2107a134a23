#include <vector>

#include "platform/win32/scoped_handle.h"
#include "platform/win32/system_error_text.h"
#include "platform/win32/system_function.h"
#include "platform/win32/win32_backends.h"
#include "platform/win32/windows_api.h"

namespace platform::win32 {

namespace {

// Windows 7 and later; looked up at run time, as Vista has none.
using InstallFromPackage = HRESULT(WINAPI*)(LPCSTR server, LPCSTR infPath, LPCSTR driverName,
                                            LPCSTR environment, DWORD flags);

class Win32PrintSpooler : public PrintSpooler {
 public:
  std::vector<std::string> InstalledDrivers() override {
    std::vector<std::string> names;
    DWORD needed = 0;
    DWORD count = 0;
    ::EnumPrinterDriversA(nullptr, nullptr, 1, nullptr, 0, &needed, &count);
    if (needed == 0) return names;
    std::vector<BYTE> buffer(needed);
    if (!::EnumPrinterDriversA(nullptr, nullptr, 1, buffer.data(), needed, &needed, &count)) {
      return names;
    }
    const auto* drivers = reinterpret_cast<const DRIVER_INFO_1A*>(buffer.data());
    for (DWORD i = 0; i < count; ++i) {
      if (drivers[i].pName) names.emplace_back(drivers[i].pName);
    }
    return names;
  }

  uint32_t InstallDriverFromStore(const std::string& driver) override {
    ScopedModule spooler(::LoadLibraryA("winspool.drv"));
    auto install =
        LookUpFunction<InstallFromPackage>(spooler.Get(), "InstallPrinterDriverFromPackageA");
    if (!install) return ERROR_NOT_SUPPORTED;
    return static_cast<uint32_t>(install(nullptr, nullptr, driver.c_str(), nullptr, 0));
  }

  uint32_t MakePrinter(const NewPrinter& printer) override {
    std::string name = printer.name, port = printer.port, driver = printer.driver,
                processor = printer.printProcessor, dataType = printer.dataType;
    PRINTER_INFO_2A info{};
    info.pPrinterName = name.data();
    info.pPortName = port.data();
    info.pDriverName = driver.data();
    info.pPrintProcessor = processor.data();
    info.pDatatype = dataType.data();
    ScopedPrinterHandle made(::AddPrinterA(nullptr, 2, reinterpret_cast<LPBYTE>(&info)));
    if (!made.IsValid()) return ::GetLastError();
    return 0;
  }

  std::string ErrorText(uint32_t code) override { return SystemErrorText(code); }
};

}  // namespace

std::unique_ptr<PrintSpooler> MakePrintSpooler() { return std::make_unique<Win32PrintSpooler>(); }

}  // namespace platform::win32
