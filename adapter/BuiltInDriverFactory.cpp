#include "adapter/BuiltInDriverFactory.h"

#include "adapter/BuiltInDriver.h"
#include "adapter/BuiltInPortConnector.h"
#include "adapter/DriverSettings.h"
#include "adapter/ports/AdapterRegistry.h"
#include "adapter/ports/ft232h/LinuxFtdiCalls.h"
#include "adapter/ports/ppdev/LinuxPpdevCalls.h"
#include "adapter/ports/usb/LinuxUsbCalls.h"
#include "adapter/bus/SteadyBusClock.h"

namespace pemrix {

std::unique_ptr<DriverLink> MakeBuiltInDriver(const BuiltInDriverPaths& paths,
                                              std::vector<std::string>* notices)
{
    return MakeBuiltInDriver(paths,
                             {std::make_shared<LinuxPpdevCalls>(),
                              std::make_shared<LinuxUsbCalls>(),
                              [] { return std::make_unique<LinuxFtdiCalls>(); },
                              std::make_shared<SteadyBusClock>(), ProductionAdapterCalls()},
                             notices);
}

std::unique_ptr<DriverLink> MakeBuiltInDriver(const BuiltInDriverPaths& paths,
                                              BuiltInDriverSeams seams,
                                              std::vector<std::string>* notices)
{
    DriverSettings settings = LoadDriverSettings(paths.settingsFile);
    if (notices)
        notices->insert(notices->end(), settings.notices.begin(), settings.notices.end());
    AdapterSetups setups = MakeAdapterSetups(seams.adapterCalls, seams.clock, settings, notices);
    PpdevSetup ppdev{std::move(seams.ppdev), seams.clock, settings.cable, settings.timing};
    UsbSetup usb{std::move(seams.usb), std::move(seams.makeFtdi), seams.clock, settings.timing};
    auto virtualAdapter = std::make_shared<VirtualAdapter>(paths.virtualChipFolder, settings.timing,
                                                           settings.virtualSocket,
                                                           settings.virtualSocketOrganisation);
    if (settings.virtualRealTime)
        virtualAdapter->Clock().Pace(1);
    auto connector = std::make_shared<BuiltInPortConnector>(
        std::move(virtualAdapter), ParportDirectory(paths.procRoot, paths.devRoot),
        std::move(ppdev), std::move(usb), std::move(setups));
    return std::make_unique<BuiltInDriver>(std::move(connector));
}

} // namespace pemrix
