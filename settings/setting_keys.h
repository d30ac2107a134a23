// The program-wide settings: their sections, keys and defaults. A port's
// options are in port_options.h.
#pragma once

#include <cstdint>

namespace settings {

struct SettingKey {
  const char* section;
  const char* key;
};

// The folder of Ghostscript's console program, without a trailing delimiter.
inline constexpr SettingKey kLocation{"GhostScript", "Location"};
// The spool file of the latest print job, for the user's information.
inline constexpr SettingKey kLastInputFile{"Log", "LastInputFile"};
// Seconds a job gives Ghostscript; 0 for no limit.
inline constexpr SettingKey kGhostscriptTimeLimit{"Options", "GhostscriptTimeLimit"};
inline constexpr int32_t kDefaultGhostscriptTimeLimit = 600;

}  // namespace settings
