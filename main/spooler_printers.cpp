#include "main/spooler_printers.h"

#include "platform/services.h"

namespace main_window {

namespace {

constexpr char kPrintersKey[] = "\\SYSTEM\\CurrentControlSet\\Control\\Print\\Printers";

// Calls visit with each printer's name and its key, in enumeration order;
// printers whose key cannot be opened are skipped. False when the printers
// key cannot be opened.
bool ForEachPrinterKey(
    const std::function<void(const std::string& printer, platform::RegistryKey& key)>& visit) {
  auto& registry = *platform::Current().registry;
  auto printers = registry.OpenKey(kPrintersKey, platform::kKeyRead);
  if (!printers) return false;
  for (const std::string& name : printers->SubkeyNames()) {
    auto printer = registry.OpenKey(std::string(kPrintersKey) + "\\" + name, platform::kKeyRead);
    if (printer) visit(name, *printer);
  }
  return true;
}

}  // namespace

bool ForEachSpoolerPrinter(
    const std::function<void(const std::string& printer, const std::string& port)>& visit) {
  return ForEachPrinterKey([&](const std::string& printer, platform::RegistryKey& key) {
    visit(printer, platform::ReadRegistryString(key, "Port"));
  });
}

std::string PrinterOnPort(const std::string& portName) {
  std::string found;
  ForEachPrinterKey([&](const std::string& printer, platform::RegistryKey& key) {
    if (platform::ReadRegistryText(key, "Port") == portName) found = printer;
  });
  return found;
}

std::vector<std::string> SpoolerPrinterNames() {
  std::vector<std::string> names;
  ForEachPrinterKey(
      [&](const std::string& printer, platform::RegistryKey&) { names.push_back(printer); });
  return names;
}

}  // namespace main_window
