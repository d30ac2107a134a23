#include "procs/port_key.h"

#include "platform/rules/ascii.h"

namespace procs {

std::string PortName(uint32_t number) { return "PPP" + std::to_string(number) + ":"; }

std::optional<uint32_t> PortKeyNumber(const std::string& keyName) {
  if (keyName.size() < 5 || keyName.size() > 13 ||
      !platform::ascii::StartsWithIgnoringCase(keyName, "PPP") || keyName.back() != ':' ||
      keyName[3] == '0') {
    return std::nullopt;
  }
  uint64_t number = 0;
  for (size_t i = 3; i + 1 < keyName.size(); ++i) {
    if (keyName[i] < '0' || keyName[i] > '9') return std::nullopt;
    number = number * 10 + static_cast<uint64_t>(keyName[i] - '0');
  }
  if (number > UINT32_MAX) return std::nullopt;
  return static_cast<uint32_t>(number);
}

bool IsPortName(const std::string& name) {
  return name.compare(0, 3, "PPP") == 0 && PortKeyNumber(name).has_value();
}

std::string PortsKeyPath() {
  return "\\SYSTEM\\CurrentControlSet\\Control\\Print\\Monitors\\Redirected Port\\Ports";
}

std::string PortKeyPath(const std::string& portName) { return PortsKeyPath() + "\\" + portName; }

}  // namespace procs
