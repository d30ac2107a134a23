// Creating a port of the "Redirected Port" monitor, configured so that the
// monitor hands every print job on it to this program.
#pragma once

#include <string>

namespace procs {

// Runs the monitor's "rr_set.exe /s" hidden and waits for it (its outcome
// is not examined), then creates the key of the lowest port number whose key
// cannot be opened for full access (gaps are filled, there is no upper
// bound) and writes the port's twelve values into it. Returns the new port's
// name. Raises ERegistryException "Failed to set data for '<value>'" when a
// value cannot be written (those before it stay), naming "Arguments" when
// the key cannot be created.
std::string AddRedirectedPort();

}  // namespace procs
