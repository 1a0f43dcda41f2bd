#pragma once

#include "settings/PortTable.h"

namespace pemrix {

class PortPlatform;

// Walks the "Ports" class and records every device whose friendly name contains "LPT". Never
// fails: a platform call that fails leaves only the affected record empty or without address.
PortTable DiscoverPorts(PortPlatform& platform);

} // namespace pemrix
