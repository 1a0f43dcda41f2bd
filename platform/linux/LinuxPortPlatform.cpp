#include "platform/linux/LinuxPortPlatform.h"

namespace pemrix {

LinuxPortPlatform::LinuxPortPlatform(const std::filesystem::path& parportRoot)
    : PortMachinePlatform(DescribeParportMachine(parportRoot))
{
}

} // namespace pemrix
