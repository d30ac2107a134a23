// The print spooler's printers and the ports they print to, read from its
// printers key (never written).
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace main_window {

// Calls visit with each printer's name (its subkey's name) and "Port" text
// ("" when absent), in the registry's enumeration order; printers whose key
// cannot be opened are skipped. False when the printers key cannot be
// opened. Raises ERegistryException "Invalid data type for 'Port'" at a
// "Port" value that is not text; the printers before it have been visited.
bool ForEachSpoolerPrinter(
    const std::function<void(const std::string& printer, const std::string& port)>& visit);

// The printer whose "Port" equals the port name exactly (case-sensitive),
// the later one in enumeration order when several do; "" when none does. A
// printer whose "Port" is not text prints to no port of ours and is passed
// over.
std::string PrinterOnPort(const std::string& portName);

// The names of the printers whose keys open, in enumeration order.
std::vector<std::string> SpoolerPrinterNames();

}  // namespace main_window
