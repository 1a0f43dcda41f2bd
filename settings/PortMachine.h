#pragma once

#include "settings/PortPlatform.h"

#include <cstdint>
#include <string>
#include <vector>

namespace pemrix {

// A machine's "Ports" devices written down as data, for a PortMachinePlatform to answer from.

struct PortMachineResource
{
    PortResourceType m_type = PortResourceType::Io;
    std::uint64_t m_nBase = 0;
    std::uint64_t m_nEnd = 0;
    bool m_bDataReadable = true;
};

struct PortMachineConfig
{
    PortConfigKind m_kind = PortConfigKind::Allocated;
    std::vector<PortMachineResource> m_resources;
};

struct PortMachineDevice
{
    // An empty identifier, or one too long for the caller's buffer, fails the query.
    std::u16string m_strInstanceId = u"ROOT\\PORTS\\0000";
    std::u16string m_strFriendlyName;
    bool m_bFriendlyNameReadable = true;
    PortNodeStatus m_status;
    std::vector<PortMachineConfig> m_configs;
};

struct PortMachine
{
    bool m_bKnowsPortsClass = true;
    bool m_bDeviceSetOpens = true;
    bool m_bDetailReadable = true;
    std::vector<PortMachineDevice> m_devices;
};

} // namespace pemrix
