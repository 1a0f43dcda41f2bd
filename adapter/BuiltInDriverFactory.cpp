#include "adapter/BuiltInDriverFactory.h"

#include "adapter/BuiltInDriver.h"
#include "adapter/BuiltInPortConnector.h"
#include "adapter/DriverSettings.h"
#include "adapter/ports/LinuxPpdevCalls.h"
#include "adapter/bus/SteadyBusClock.h"

namespace pemrix {

std::unique_ptr<DriverLink> MakeBuiltInDriver(const BuiltInDriverPaths& paths,
                                              std::vector<std::string>* notices)
{
    return MakeBuiltInDriver(paths, std::make_shared<LinuxPpdevCalls>(),
                             std::make_shared<SteadyBusClock>(), notices);
}

std::unique_ptr<DriverLink> MakeBuiltInDriver(const BuiltInDriverPaths& paths,
                                              std::shared_ptr<PpdevCalls> ppdev,
                                              std::shared_ptr<BusClock> clock,
                                              std::vector<std::string>* notices)
{
    DriverSettings settings = LoadDriverSettings(paths.settingsFile);
    if (notices)
        notices->insert(notices->end(), settings.notices.begin(), settings.notices.end());
    PpdevSetup setup{std::move(ppdev), std::move(clock), settings.cable, settings.timing};
    auto connector = std::make_shared<BuiltInPortConnector>(
        std::make_shared<VirtualAdapter>(paths.virtualChipFolder, settings.timing),
        ParportDirectory(paths.procRoot, paths.devRoot), std::move(setup));
    return std::make_unique<BuiltInDriver>(std::move(connector));
}

} // namespace pemrix
