#include "procs/add_pdf_printer.h"

#include <algorithm>

#include "platform/error.h"
#include "platform/rules/ascii.h"
#include "platform/services.h"

namespace procs {

namespace {

bool Contains(const std::vector<std::string>& names, const std::string& name) {
  return std::any_of(names.begin(), names.end(), [&](const std::string& each) {
    return platform::ascii::EqualsIgnoringCase(each, name);
  });
}

// Installed first; then what the store can install, in the same order.
std::string ChooseDriver(platform::PrintSpooler& spooler) {
  const std::vector<std::string> installed = spooler.InstalledDrivers();
  for (const std::string& driver : ShippedPostScriptDrivers()) {
    if (Contains(installed, driver)) return driver;
    if (spooler.InstallDriverFromStore(driver) == 0) return driver;
  }
  return "";
}

}  // namespace

const std::vector<std::string>& ShippedPostScriptDrivers() {
  static const std::vector<std::string> drivers = {"Microsoft PS Class Driver",
                                                   "MS Publisher Color Printer"};
  return drivers;
}

std::string FreePrinterName(const std::vector<std::string>& taken) {
  std::string name = "PDF Printer";
  for (int n = 2; Contains(taken, name); ++n) name = "PDF Printer (" + std::to_string(n) + ")";
  return name;
}

std::string AddPdfPrinter(const std::string& portName, const std::vector<std::string>& printers) {
  platform::PrintSpooler& spooler = *platform::Current().printSpooler;
  platform::NewPrinter printer;
  printer.driver = ChooseDriver(spooler);
  if (printer.driver.empty()) {
    std::string drivers;
    for (const std::string& driver : ShippedPostScriptDrivers())
      drivers += (drivers.empty() ? "" : ", ") + driver;
    throw platform::Error("EPrinter",
                          "No PostScript printer driver that Windows ships is installed, and "
                          "none could be installed (" +
                              drivers + ").");
  }
  printer.name = FreePrinterName(printers);
  printer.port = portName;
  printer.printProcessor = "winprint";
  printer.dataType = "RAW";
  if (uint32_t error = spooler.MakePrinter(printer)) {
    throw platform::Error("EPrinter", "The printer \"" + printer.name +
                                          "\" could not be added on " + portName + ": " +
                                          spooler.ErrorText(error));
  }
  return printer.name;
}

}  // namespace procs
