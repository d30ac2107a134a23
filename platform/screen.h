// What the system says about the screen.
#pragma once

namespace platform {

// The screen's logical pixels per inch, horizontally (Windows: LOGPIXELSX of
// the screen's device context; 96 where the build has no screen of its own).
int ScreenPixelsPerInch();

}  // namespace platform
