// Where the set-up window is shown. The backend is chosen at link time: the
// Win32 build shows the real window; other builds have none.
#pragma once

namespace main_window {
class Form;
}  // namespace main_window

namespace platform {

// Shows the form as a window, centred on the screen, and runs its events
// until the form is closed. Where the build has no such window it says so on
// standard error and returns at once.
void ShowSetupWindow(main_window::Form& form);

}  // namespace platform
