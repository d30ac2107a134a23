// Linux has no Ghostscript registry entries: this registry shows each "gs" on
// the search path as an installed version under "SOFTWARE\AFPL Ghostscript",
// with "GS_DLL" naming a link to the program in a folder of the user's own
// (see GhostscriptLink), which becomes the Ghostscript folder.
// Opening a version key raises platform::Error when that folder or link
// cannot be made.
// Versions are listed in reverse search-path order, so that the first "gs"
// on the path is the last listed and wins. Every other key is the inner
// registry's; the Ghostscript key of the inner registry is not shown.
#pragma once

#include <memory>
#include <string>

#include "platform/registry.h"

namespace app {

// inner must outlive the result.
std::unique_ptr<platform::Registry> MakeGhostscriptPresentingRegistry(platform::Registry& inner,
                                                                      std::string searchPath);

}  // namespace app
