#include "PlatformProviders.h"

#include "driver/DriverLink.h"
#include "settings/PortPlatform.h"

#ifdef _WIN32
#include "platform/win32/Win32DriverLink.h"
#include "platform/win32/WinPortPlatform.h"
#else
#include "adapter/BuiltInDriverFactory.h"
#include "adapter/BuiltInDriverPaths.h"
#include "adapter/DriverSettings.h"
#include "adapter/ports/AdapterRegistry.h"
#include "adapter/ports/usb/LinuxUsbCalls.h"
#include "platform/linux/LinuxPortPlatform.h"

#include <QString>
#endif

namespace pemrix {

std::unique_ptr<DriverLink> MakeDriverLink([[maybe_unused]] std::vector<std::string>* notices)
{
#ifdef _WIN32
    return std::make_unique<Win32DriverLink>();
#else
    return MakeBuiltInDriver(UserBuiltInDriverPaths(), notices);
#endif
}

std::unique_ptr<PortPlatform> MakePortPlatform()
{
#ifdef _WIN32
    return std::make_unique<WinPortPlatform>();
#else
    AdapterWorld adapters{};
    adapters.usb.usb = std::make_shared<LinuxUsbCalls>();
    adapters.setups =
        MakeAdapterSetups(ProductionAdapterCalls(), nullptr,
                          LoadDriverSettings(UserBuiltInDriverPaths().settingsFile), nullptr);
    return MakeLinuxPortPlatform(kParportProcRoot, adapters);
#endif
}

#ifndef _WIN32
std::unique_ptr<LinuxPortPlatform> MakeLinuxPortPlatform(const std::filesystem::path& parportRoot,
                                                         AdapterWorld& adapters)
{
    std::vector<AdapterPortRecord> records;
    for (const AdapterPlace& place : ListAdapters(adapters))
        records.push_back(
            {QString::fromStdString(place.name).toStdU16String(), PortValue(place.id)});
    return std::make_unique<LinuxPortPlatform>(parportRoot, std::move(records));
}
#endif

} // namespace pemrix
