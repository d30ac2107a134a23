// The POSIX backends: a factory MakeInterface() for every platform service.
#pragma once

#include <memory>
#include <string>

#include "platform/common/owned_services.h"

namespace platform::posix {

PDFPRINTER_DECLARE_FACTORIES()

// A registry store of its own at storePath, in the "Windows Registry Editor
// Version 5.00" text format; MakeRegistry() keeps it at
// RegistryStorePath(the program path).
std::unique_ptr<Registry> MakeRegistry(std::string storePath);

// Where the native program keeps its registry store: beside the program,
// the program path with the extension ".reg".
std::string RegistryStorePath(const std::string& programPath);

}  // namespace platform::posix
