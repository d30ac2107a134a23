// What the set-up window does in the shell's Printers folder: the shell is
// asked to invoke a verb on one of its items, as the folder's own window
// would, and is not waited for. Both report only whether the shell was asked;
// failures are quiet, and the shell is told to show no message either.
#pragma once

#include <string>

namespace shprinters {

// The default verb of the folder's first item, the system's Add Printer
// entry, which starts the Add Printer wizard. False when the allocator or
// that item cannot be obtained.
bool OpenAddPrinter();

// "Properties" on the item of that display name: the printer's property
// sheet. False when the allocator cannot be obtained or no item has that
// name.
bool ShowPrinterProperties(const std::string& printerName);

}  // namespace shprinters
