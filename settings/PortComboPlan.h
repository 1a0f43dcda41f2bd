#pragma once

#include "settings/PortComboEntry.h"
#include "settings/PortDiscovery.h"

#include <cstdint>
#include <vector>

namespace pemrix {

class PortPlatform;
class ProfileStore;

// What the window does to its empty port combo at start-up.
struct PortComboPlan
{
    // In combo order, top first: the offered ports in reverse discovery order (the parallel
    // ports above the driver's adapters), then the custom port when one is stored.
    std::vector<PortComboEntry> m_entries;
    // The values "PARALLEL PORT" receives, in order: one per offered port in discovery order.
    std::vector<std::uint32_t> m_parallelPortWrites;
    // 0 when a discovered port is offered, else -1: the combo must then show no selection,
    // also not the one a combo makes by itself when its first item arrives.
    int m_nCurrentIndex = -1;
};

// Pure: a port is offered when it has a name and an address and is not absent.
PortComboPlan PlanPortCombo(const DiscoveredPorts& ports, std::uint32_t customPort);

// Discovers the ports, reads "CUSTOM PORT", and makes the plan's "PARALLEL PORT" writes.
PortComboPlan FillPortCombo(PortPlatform& platform, const ProfileStore& profile);

// The user picked an entry: its address is the port of every chip command from now on.
void StoreChosenPort(const ProfileStore& profile, std::uint32_t address);

} // namespace pemrix
