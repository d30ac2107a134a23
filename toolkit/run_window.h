// Where a form becomes a window. The binding is chosen at link time: the
// Win32 build shows real controls; a build without a window system has none.
#pragma once

namespace toolkit {

class Form;

// Shows the form as a window, centred on the screen, and runs its events
// until the window is closed, however that happens. False at once when the
// build has no window system. Raises platform::Error, before any event
// runs, when the window or one of its controls cannot be made.
bool RunWindow(Form& form);

}  // namespace toolkit
