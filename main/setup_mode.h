// Set-up mode: the "PDF Printer setup" window, until it is closed.
#pragma once

namespace main_window {

void RunSetupMode();

}  // namespace main_window
