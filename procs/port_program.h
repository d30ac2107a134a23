// Which program a port of ours starts for its jobs, and pointing it at this
// one: after the program was installed elsewhere, the ports still start the
// old copy.
#pragma once

#include <string>
#include <vector>

namespace procs {

// The ports (PPPn: keys of the monitor) whose "Arguments" start another
// program than programPath, in the registry's order. Paths are compared as
// the file system compares names; a port whose "Arguments" is empty or not
// text is left out.
std::vector<std::string> PortsOfAnotherProgram(const std::string& programPath);

// Rewrites the port's "Command" and "Arguments" as a new port has them, for
// the program at programPath. Raises ERegistryException "Failed to set data
// for '%s'" when the key cannot be opened or a value not written.
void PointPortAt(const std::string& portName, const std::string& programPath);

}  // namespace procs
