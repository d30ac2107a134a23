#include <cstdlib>
#include <memory>

#include "app/posix/ghostscript_registry.h"
#include "app/program_services.h"

namespace app {

platform::Services ProgramServices() {
  platform::Services services = platform::NativeServices();
  const char* searchPath = std::getenv("PATH");
  static const std::unique_ptr<platform::Registry> registry = MakeGhostscriptPresentingRegistry(
      *services.registry, searchPath ? searchPath : "/usr/local/bin:/usr/bin:/bin");
  services.registry = registry.get();
  return services;
}

}  // namespace app
