#include "PlatformProviders.h"

#include "driver/DriverLink.h"
#include "settings/PortPlatform.h"

#ifdef _WIN32
#include "platform/win32/Win32DriverLink.h"
#include "platform/win32/WinPortPlatform.h"
#else
#include "adapter/BuiltInDriverFactory.h"
#include "adapter/BuiltInDriverPaths.h"
#include "adapter/ports/LinuxUsbCalls.h"
#include "platform/linux/LinuxPortPlatform.h"
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
    LinuxUsbCalls usb;
    return std::make_unique<LinuxPortPlatform>(kParportProcRoot, &usb);
#endif
}

} // namespace pemrix
