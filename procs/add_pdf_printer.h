// "PDF Printer" made in one step: a local printer on a port of ours, with a
// PostScript driver that Windows ships.
#pragma once

#include <string>
#include <vector>

namespace procs {

// The drivers tried, in this order: "Microsoft PS Class Driver" (Windows 8
// and later) and "MS Publisher Color Printer" (Vista, 7).
const std::vector<std::string>& ShippedPostScriptDrivers();

// The first of "PDF Printer", "PDF Printer (2)", "PDF Printer (3)", ... that
// is none of the names taken (compared without regard to ASCII case, as the
// spooler compares printer names).
std::string FreePrinterName(const std::vector<std::string>& taken);

// Makes the printer on the port and returns its name: the first shipped
// driver that is installed, or else that the driver store installs, with the
// print processor "winprint" and the data type "RAW"; named by
// FreePrinterName among the printers there are. Raises platform::Error with
// the reason when no driver can be had or the spooler refuses the printer.
std::string AddPdfPrinter(const std::string& portName, const std::vector<std::string>& printers);

}  // namespace procs
