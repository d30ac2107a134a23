#include "main/spooler_printers.h"

#include "platform/services.h"

namespace main_window {

namespace {
constexpr char kPrintersKey[] = "\\SYSTEM\\CurrentControlSet\\Control\\Print\\Printers";
}  // namespace

bool ForEachSpoolerPrinter(
    const std::function<void(const std::string& printer, const std::string& port)>& visit) {
  auto& registry = *platform::Current().registry;
  auto printers = registry.OpenKey(kPrintersKey, platform::kKeyRead);
  if (!printers) return false;
  for (const std::string& name : printers->SubkeyNames()) {
    auto printer = registry.OpenKey(std::string(kPrintersKey) + "\\" + name, platform::kKeyRead);
    if (printer) visit(name, platform::ReadRegistryString(*printer, "Port"));
  }
  return true;
}

std::string PrinterOnPort(const std::string& portName) {
  std::string found;
  ForEachSpoolerPrinter([&](const std::string& printer, const std::string& port) {
    if (port == portName) found = printer;
  });
  return found;
}

}  // namespace main_window
