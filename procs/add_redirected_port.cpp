#include "procs/add_redirected_port.h"

#include <cstdint>
#include <variant>

#include "platform/error.h"
#include "platform/rules/path.h"
#include "platform/services.h"
#include "procs/outside_programs.h"
#include "procs/port_key.h"

namespace procs {

std::string AddRedirectedPort() {
  auto& services = platform::Current();
  const std::string programPath = services.processInfo->ProgramPath();
  const std::string programFolder = platform::path::FolderPart(programPath);
  RunAndWait(RrSetCommandLine(programFolder), kSwHide);

  uint32_t number = 1;
  while (services.registry->OpenKey(PortKeyPath(PortName(number)), platform::kKeyAllAccess)) {
    ++number;
  }
  const std::string portName = PortName(number);
  auto key = services.registry->CreateKey(PortKeyPath(portName), platform::kKeyAllAccess);
  if (!key) platform::RaiseSetDataFailed("Arguments");

  using Data = std::variant<std::string, uint32_t>;
  const std::pair<const char*, Data> values[] = {
      {"Arguments", PortArgumentsValue(programPath, portName)},
      {"Command", PortCommandValue(programFolder)},
      {"Delay", 300u},
      {"Description", "PDF Printer Port"},
      {"LogFileDebug", 1u},
      {"LogFileName", PortLogFileNameValue(programPath)},
      {"LogFileUse", 1u},
      {"Output", 0u},
      {"Printer", "PDF Printer"},
      {"PrintError", 0u},
      {"RunUser", 1u},
      {"ShowWindow", 2u},
  };
  for (const auto& [name, data] : values) {
    bool written = std::holds_alternative<std::string>(data)
                       ? key->WriteString(name, std::get<std::string>(data))
                       : key->WriteDword(name, std::get<uint32_t>(data));
    if (!written) platform::RaiseSetDataFailed(name);
  }
  return portName;
}

}  // namespace procs
