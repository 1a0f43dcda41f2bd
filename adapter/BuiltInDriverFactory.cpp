#include "adapter/BuiltInDriverFactory.h"

#include "adapter/BuiltInDriver.h"
#include "adapter/BuiltInPortConnector.h"
#include "adapter/DriverSettings.h"
#include "adapter/ports/ft232h/LinuxFtdiCalls.h"
#include "adapter/ports/gpiod/LinuxGpiodCalls.h"
#include "adapter/ports/ppdev/LinuxPpdevCalls.h"
#include "adapter/ports/usb/LinuxUsbCalls.h"
#include "adapter/bus/SteadyBusClock.h"

namespace pemrix {

std::unique_ptr<DriverLink> MakeBuiltInDriver(const BuiltInDriverPaths& paths,
                                              std::vector<std::string>* notices)
{
    return MakeBuiltInDriver(
        paths,
        {std::make_shared<LinuxPpdevCalls>(), std::make_shared<LinuxUsbCalls>(),
         [] { return std::make_unique<LinuxFtdiCalls>(); }, std::make_shared<SteadyBusClock>(),
         std::make_shared<LinuxGpiodCalls>()},
        notices);
}

std::unique_ptr<DriverLink> MakeBuiltInDriver(const BuiltInDriverPaths& paths,
                                              BuiltInDriverSeams seams,
                                              std::vector<std::string>* notices)
{
    DriverSettings settings = LoadDriverSettings(paths.settingsFile);
    if (notices)
        notices->insert(notices->end(), settings.notices.begin(), settings.notices.end());
    PpdevSetup ppdev{std::move(seams.ppdev), seams.clock, settings.cable, settings.timing};
    UsbSetup usb{std::move(seams.usb), std::move(seams.makeFtdi), seams.clock, settings.timing};
    GpioSetup gpio{std::move(seams.gpiod), seams.clock, settings.timing, settings.gpio};
    auto virtualAdapter = std::make_shared<VirtualAdapter>(paths.virtualChipFolder, settings.timing,
                                                           settings.virtualSocket,
                                                           settings.virtualSocketOrganisation);
    if (settings.virtualRealTime)
        virtualAdapter->Clock().Pace(1);
    auto connector = std::make_shared<BuiltInPortConnector>(
        std::move(virtualAdapter), ParportDirectory(paths.procRoot, paths.devRoot),
        std::move(ppdev), std::move(usb), std::move(gpio));
    return std::make_unique<BuiltInDriver>(std::move(connector));
}

} // namespace pemrix
