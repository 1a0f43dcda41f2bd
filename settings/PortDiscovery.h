#pragma once

#include "settings/PortTable.h"

#include <vector>

namespace pemrix {

class PortPlatform;

struct DiscoveredPorts
{
    // The built-in driver's adapters, each with its port value as its address.
    std::vector<PortRecord> m_adapters;
    PortTable m_parallelPorts;
};

// Walks the "Ports" class and records every device whose friendly name contains "LPT", and
// takes the built-in driver's adapters as they are. Never fails: a platform call that fails
// leaves only the affected record empty or without address.
DiscoveredPorts DiscoverPorts(PortPlatform& platform);

} // namespace pemrix
