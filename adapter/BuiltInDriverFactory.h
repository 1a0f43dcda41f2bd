#pragma once

#include "adapter/BuiltInDriverPaths.h"
#include "adapter/bus/BusClock.h"
#include "adapter/ports/AdapterCalls.h"
#include "adapter/ports/ft232h/FtdiCalls.h"
#include "adapter/ports/ppdev/PpdevCalls.h"
#include "adapter/ports/usb/UsbCalls.h"
#include "driver/DriverLink.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace pemrix {

// The built-in driver as the application uses it: settings from paths.settingsFile, the
// virtual adapter's chips in paths.virtualChipFolder, the real ppdev calls in real time.
// Every setting the driver did not take as written adds a line to `notices`, for the user.
std::unique_ptr<DriverLink> MakeBuiltInDriver(const BuiltInDriverPaths& paths,
                                              std::vector<std::string>* notices = nullptr);

// What the built-in driver reaches the world through. Without `usb` no USB adapter is ever
// plugged in.
struct BuiltInDriverSeams
{
    std::shared_ptr<PpdevCalls> ppdev;
    std::shared_ptr<UsbCalls> usb;
    // A fresh libftdi context for each FT232H connection.
    std::function<std::unique_ptr<FtdiCalls>()> makeFtdi;
    std::shared_ptr<BusClock> clock;
    // The calls of the adapter kinds that have their own (GPIO's), by family; a kind without
    // any finds none of its adapters.
    AdapterCallsByFamily adapterCalls = {};
};

// The same through other seams, as tests play the kernel and the USB devices.
std::unique_ptr<DriverLink> MakeBuiltInDriver(const BuiltInDriverPaths& paths,
                                              BuiltInDriverSeams seams,
                                              std::vector<std::string>* notices = nullptr);

} // namespace pemrix
