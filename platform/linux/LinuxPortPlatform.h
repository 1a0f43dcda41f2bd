#pragma once

#include "platform/linux/ParportMachine.h"
#include "settings/PortMachinePlatform.h"

#include <filesystem>

namespace pemrix {

// The Linux provider of port discovery: the kernel's parallel ports as they are when it is
// made, behind the virtual adapter.
class LinuxPortPlatform : public PortMachinePlatform
{
public:
    explicit LinuxPortPlatform(const std::filesystem::path& parportRoot = kParportProcRoot);
};

} // namespace pemrix
