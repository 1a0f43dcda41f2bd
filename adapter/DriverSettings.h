#pragma once

#include "adapter/bus/BusTiming.h"
#include "adapter/ports/CableProfile.h"

#include <filesystem>
#include <string_view>

namespace pemrix {

// The built-in driver's own per-user settings (driver.conf), a few key=value lines:
//   cable = stk200        (or dt006)
//   half_period_ns = 2000 (the clock's half period; 2000 is 250 kHz)
// '#' starts a comment. Unknown keys and unusable values keep the defaults.
struct DriverSettings
{
    const CableProfile* cable = &CableProfiles().front();
    BusTiming timing;
};

DriverSettings ParseDriverSettings(std::string_view text);

// The settings in `file`; defaults when it is missing or unreadable.
DriverSettings LoadDriverSettings(const std::filesystem::path& file);

} // namespace pemrix
