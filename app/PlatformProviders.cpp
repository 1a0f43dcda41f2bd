#include "PlatformProviders.h"

#ifdef _WIN32
#include "platform/win32/WinPortPlatform.h"
#else
#include "platform/linux/LinuxPortPlatform.h"
#endif

namespace pemrix {

std::unique_ptr<PortPlatform> MakePortPlatform()
{
#ifdef _WIN32
    return std::make_unique<WinPortPlatform>();
#else
    return std::make_unique<LinuxPortPlatform>();
#endif
}

} // namespace pemrix
