#include "platform/linux/LinuxPortPlatform.h"

namespace pemrix {

LinuxPortPlatform::LinuxPortPlatform(const std::filesystem::path& parportRoot,
                                     std::vector<AdapterPortRecord> adapters)
    : PortMachinePlatform(DescribeParportMachine(parportRoot)), m_adapters(std::move(adapters))
{
}

} // namespace pemrix
