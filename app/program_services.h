// The services the program runs with: the build's native ones, and on Linux,
// which has no Ghostscript registry entries, a registry that shows each
// Ghostscript on the search path as installed. Alive for the whole process.
#pragma once

#include "platform/services.h"

namespace app {

platform::Services ProgramServices();

}  // namespace app
