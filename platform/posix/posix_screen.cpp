#include "platform/screen.h"

namespace platform {

// The Windows default; the sizes of the set-up window are given for it.
int ScreenPixelsPerInch() { return 96; }

}  // namespace platform
