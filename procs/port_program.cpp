#include "procs/port_program.h"

#include "platform/error.h"
#include "platform/rules/command_line.h"
#include "platform/rules/path.h"
#include "platform/services.h"
#include "procs/outside_programs.h"
#include "procs/port_key.h"

namespace procs {

std::vector<std::string> PortsOfAnotherProgram(const std::string& programPath) {
  auto& registry = *platform::Current().registry;
  std::vector<std::string> found;
  auto ports = registry.OpenKey(PortsKeyPath(), platform::kKeyRead);
  if (!ports) return found;
  for (const std::string& port : ports->SubkeyNames()) {
    if (!IsPortName(port)) continue;
    auto key = registry.OpenKey(PortKeyPath(port), platform::kKeyRead);
    auto arguments = key ? platform::ReadRegistryText(*key, "Arguments") : std::nullopt;
    if (!arguments) continue;
    std::vector<std::string> words = platform::SplitCommandLine(*arguments);
    if (!words.empty() && !platform::path::SameFileName(words[0], programPath))
      found.push_back(port);
  }
  return found;
}

void PointPortAt(const std::string& portName, const std::string& programPath) {
  auto key = platform::Current().registry->OpenKey(PortKeyPath(portName), platform::kKeyAllAccess);
  if (!key) platform::RaiseSetDataFailed("Command");
  if (!key->WriteString("Command", PortCommandValue(platform::path::FolderPart(programPath)))) {
    platform::RaiseSetDataFailed("Command");
  }
  if (!key->WriteString("Arguments", PortArgumentsValue(programPath, portName))) {
    platform::RaiseSetDataFailed("Arguments");
  }
}

}  // namespace procs
