#include "app/program_services.h"

namespace app {

platform::Services ProgramServices() { return platform::NativeServices(); }

}  // namespace app
