#pragma once

#include "platform/linux/ParportMachine.h"
#include "settings/PortMachinePlatform.h"

#include <filesystem>
#include <vector>

namespace pemrix {

// The Linux provider of port discovery: the kernel's parallel ports as they are when it is
// made, and the built-in driver's adapters as the composition root lists them. The window
// makes a fresh one each time it reads the port list.
class LinuxPortPlatform : public PortMachinePlatform
{
public:
    explicit LinuxPortPlatform(const std::filesystem::path& parportRoot = kParportProcRoot,
                               std::vector<AdapterPortRecord> adapters = {});

    std::vector<AdapterPortRecord> BuiltInAdapters() override { return m_adapters; }

private:
    std::vector<AdapterPortRecord> m_adapters;
};

} // namespace pemrix
