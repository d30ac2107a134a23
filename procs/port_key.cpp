#include "procs/port_key.h"

namespace procs {

std::string PortName(uint32_t number) { return "PPP" + std::to_string(number) + ":"; }

bool IsPortName(const std::string& name) {
  if (name.size() < 5 || name.compare(0, 3, "PPP") != 0 || name.back() != ':' || name[3] == '0') {
    return false;
  }
  for (size_t i = 3; i + 1 < name.size(); ++i) {
    if (name[i] < '0' || name[i] > '9') return false;
  }
  return true;
}

std::string PortsKeyPath() {
  return "\\SYSTEM\\CurrentControlSet\\Control\\Print\\Monitors\\Redirected Port\\Ports";
}

std::string PortKeyPath(const std::string& portName) { return PortsKeyPath() + "\\" + portName; }

}  // namespace procs
