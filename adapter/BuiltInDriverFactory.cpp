#include "adapter/BuiltInDriverFactory.h"

#include "adapter/BuiltInDriver.h"
#include "adapter/BuiltInPortConnector.h"
#include "adapter/DriverSettings.h"
#include "adapter/ports/LinuxFtdiCalls.h"
#include "adapter/ports/LinuxPpdevCalls.h"
#include "adapter/ports/LinuxUsbCalls.h"
#include "adapter/bus/SteadyBusClock.h"

namespace pemrix {

std::unique_ptr<DriverLink> MakeBuiltInDriver(const BuiltInDriverPaths& paths)
{
    const DriverSettings settings = LoadDriverSettings(paths.settingsFile);
    auto clock = std::make_shared<SteadyBusClock>();
    PpdevSetup ppdev{std::make_shared<LinuxPpdevCalls>(), clock, settings.cable, settings.timing};
    UsbSetup usb{std::make_shared<LinuxUsbCalls>(), [] { return std::make_unique<LinuxFtdiCalls>(); },
                 clock, settings.timing};
    auto connector = std::make_shared<BuiltInPortConnector>(
        std::make_shared<VirtualAdapter>(paths.virtualChipFolder, settings.timing),
        ParportDirectory(paths.procRoot, paths.devRoot), std::move(ppdev), std::move(usb));
    return std::make_unique<BuiltInDriver>(std::move(connector));
}

} // namespace pemrix
