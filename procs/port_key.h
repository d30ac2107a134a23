// Ports of the "Redirected Port" monitor: their names and registry keys.
#pragma once

#include <cstdint>
#include <string>

namespace procs {

// "PPP", the number in decimal without leading zeros, ":" (PPP12:).
std::string PortName(uint32_t number);

// Whether the text is a port name of that form.
bool IsPortName(const std::string& name);

// The monitor's ports key below HKEY_LOCAL_MACHINE, from the root (leading "\").
std::string PortsKeyPath();

// The port's key below HKEY_LOCAL_MACHINE, from the root (leading "\").
std::string PortKeyPath(const std::string& portName);

}  // namespace procs
