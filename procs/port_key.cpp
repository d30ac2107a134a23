#include "procs/port_key.h"

namespace procs {

std::string PortName(uint32_t number) { return "PPP" + std::to_string(number) + ":"; }

std::string PortsKeyPath() {
  return "\\SYSTEM\\CurrentControlSet\\Control\\Print\\Monitors\\Redirected Port\\Ports";
}

std::string PortKeyPath(const std::string& portName) { return PortsKeyPath() + "\\" + portName; }

}  // namespace procs
