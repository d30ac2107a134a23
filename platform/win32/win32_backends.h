// The Win32 backends: a factory MakeInterface() for every platform service.
#pragma once

#include <memory>

#include "platform/common/owned_services.h"

namespace platform::win32 {

PDFPRINTER_DECLARE_FACTORIES()

}  // namespace platform::win32
