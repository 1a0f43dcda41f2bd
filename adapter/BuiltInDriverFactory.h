#pragma once

#include "adapter/BuiltInDriverPaths.h"
#include "driver/DriverLink.h"

#include <memory>

namespace pemrix {

// The built-in driver as the application uses it: settings from paths.settingsFile, the
// virtual adapter's chips in paths.virtualChipFolder, the real ppdev calls in real time.
std::unique_ptr<DriverLink> MakeBuiltInDriver(const BuiltInDriverPaths& paths);

} // namespace pemrix
