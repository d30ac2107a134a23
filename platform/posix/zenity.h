// Desktop questions through zenity, when there is a display to show them on.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace platform::posix {

// True when DISPLAY (or WAYLAND_DISPLAY) is set and zenity is on the path.
bool ZenityAvailable();

// Runs zenity with the arguments; its standard output (without the final
// line break) when it exits with 0, nothing otherwise (cancelled, failed).
std::optional<std::string> RunZenity(const std::vector<std::string>& arguments);

}  // namespace platform::posix
