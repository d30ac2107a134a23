#include "procs/port_program.h"

#include "platform/error.h"
#include "platform/rules/command_line.h"
#include "platform/rules/path.h"
#include "platform/services.h"
#include "procs/outside_programs.h"
#include "procs/port_key.h"

namespace procs {

namespace {

bool IsPortName(const std::string& name) {
  if (name.size() < 5 || name.compare(0, 3, "PPP") != 0 || name.back() != ':' || name[3] == '0') {
    return false;
  }
  for (size_t i = 3; i + 1 < name.size(); ++i) {
    if (name[i] < '0' || name[i] > '9') return false;
  }
  return true;
}

[[noreturn]] void RaiseSetDataFailed(const std::string& valueName) {
  throw platform::ERegistryException(
      platform::FormatMessage("Failed to set data for '%s'", valueName));
}

}  // namespace

std::vector<std::string> PortsOfAnotherProgram(const std::string& programPath) {
  auto& registry = *platform::Current().registry;
  std::vector<std::string> found;
  auto ports = registry.OpenKey(PortsKeyPath(), platform::kKeyRead);
  if (!ports) return found;
  for (const std::string& port : ports->SubkeyNames()) {
    if (!IsPortName(port)) continue;
    auto key = registry.OpenKey(PortKeyPath(port), platform::kKeyRead);
    auto arguments = key ? key->ReadValue("Arguments") : std::nullopt;
    if (!arguments || (arguments->type != platform::kRegSz && arguments->type != platform::kRegExpandSz)) {
      continue;
    }
    std::vector<std::string> words = platform::SplitCommandLine(platform::RegistryText(*arguments));
    if (!words.empty() && !platform::path::SameFileName(words[0], programPath)) found.push_back(port);
  }
  return found;
}

void PointPortAt(const std::string& portName, const std::string& programPath) {
  auto key = platform::Current().registry->OpenKey(PortKeyPath(portName), platform::kKeyAllAccess);
  if (!key) RaiseSetDataFailed("Command");
  if (!key->WriteString("Command", PortCommandValue(platform::path::FolderPart(programPath)))) {
    RaiseSetDataFailed("Command");
  }
  if (!key->WriteString("Arguments", PortArgumentsValue(programPath, portName))) {
    RaiseSetDataFailed("Arguments");
  }
}

}  // namespace procs
