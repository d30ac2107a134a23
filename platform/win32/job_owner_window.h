// The owner of what a print job shows: a window of the job's own that is
// never shown. The monitor starts the job with a hidden start-up state, which
// Windows applies to the first unowned captioned window the job shows; owned
// dialogs and boxes are not that window.
#pragma once

#include "platform/win32/windows_api.h"

namespace platform::win32 {

// Made on first use and kept for the process's life; null when it cannot be
// made (the dialogs then have no owner, as before).
HWND JobOwnerWindow();

}  // namespace platform::win32
