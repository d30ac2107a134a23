// Builds for POSIX have no window system binding.
#include "toolkit/run_window.h"

namespace toolkit {

bool RunWindow(Form&) { return false; }

}  // namespace toolkit
