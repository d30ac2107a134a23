#include "main/spooler_printers.h"

#include <optional>

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
  auto& registry = *platform::Current().registry;
  auto printers = registry.OpenKey(kPrintersKey, platform::kKeyRead);
  if (!printers) return "";
  std::string found;
  for (const std::string& name : printers->SubkeyNames()) {
    auto printer = registry.OpenKey(std::string(kPrintersKey) + "\\" + name, platform::kKeyRead);
    std::optional<platform::RegistryValue> port = printer ? printer->ReadValue("Port") : std::nullopt;
    if (port && (port->type == platform::kRegSz || port->type == platform::kRegExpandSz) &&
        platform::RegistryText(*port) == portName) {
      found = name;
    }
  }
  return found;
}

}  // namespace main_window
