#pragma once

#include "adapter/BuiltInDriverPaths.h"
#include "adapter/bus/BusClock.h"
#include "adapter/ports/PpdevCalls.h"
#include "driver/DriverLink.h"

#include <memory>
#include <string>
#include <vector>

namespace pemrix {

// The built-in driver as the application uses it: settings from paths.settingsFile, the
// virtual adapter's chips in paths.virtualChipFolder, the real ppdev calls in real time.
// Every setting the driver did not take as written adds a line to `notices`, for the user.
std::unique_ptr<DriverLink> MakeBuiltInDriver(const BuiltInDriverPaths& paths,
                                              std::vector<std::string>* notices = nullptr);

// The same with the parallel ports reached through `ppdev` and paced by `clock`, as tests
// play the kernel.
std::unique_ptr<DriverLink> MakeBuiltInDriver(const BuiltInDriverPaths& paths,
                                              std::shared_ptr<PpdevCalls> ppdev,
                                              std::shared_ptr<BusClock> clock,
                                              std::vector<std::string>* notices = nullptr);

} // namespace pemrix
