// Ports of the "Redirected Port" monitor: their names and registry keys.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace procs {

// "PPP", the number in decimal without leading zeros, ":" (PPP12:).
std::string PortName(uint32_t number);

// Whether the text is a port name of that form.
bool IsPortName(const std::string& name);

// The number of a port's key name: the form of a port name with "PPP" in any
// case, as the registry matches key names ("ppp7:" 7); nothing otherwise.
std::optional<uint32_t> PortKeyNumber(const std::string& keyName);

// The monitor's ports key below HKEY_LOCAL_MACHINE, from the root (leading "\").
std::string PortsKeyPath();

// The port's key below HKEY_LOCAL_MACHINE, from the root (leading "\").
std::string PortKeyPath(const std::string& portName);

}  // namespace procs
