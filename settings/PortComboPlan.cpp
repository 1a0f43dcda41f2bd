#include "settings/PortComboPlan.h"

#include "settings/PortDiscovery.h"
#include "settings/ProfileKeys.h"
#include "settings/ProfileStore.h"

namespace pemrix {

PortComboPlan PlanPortCombo(const DiscoveredPorts& ports, std::uint32_t customPort)
{
    PortComboPlan plan;
    const auto offer = [&plan](const PortRecord& record) {
        if (record.m_strName.empty() || record.m_bAbsent || record.m_strAddress.empty())
            return;
        const PortComboEntry entry = DiscoveredPortEntry(record);
        plan.m_parallelPortWrites.push_back(entry.m_nAddress);
        plan.m_entries.insert(plan.m_entries.begin(), entry);
    };
    for (const PortRecord& record : ports.m_adapters)
        offer(record);
    for (const PortRecord& record : ports.m_parallelPorts)
        offer(record);
    if (!plan.m_entries.empty())
        plan.m_nCurrentIndex = 0;
    if (customPort != 0)
        plan.m_entries.push_back(StoredCustomPortEntry(customPort));
    return plan;
}

PortComboPlan FillPortCombo(PortPlatform& platform, const ProfileStore& profile)
{
    const DiscoveredPorts ports = DiscoverPorts(platform);
    const std::uint32_t customPort =
        profile.GetProfileInt(profile::kSection, profile::kCustomPort, profile::kDefaultCustomPort);
    PortComboPlan plan = PlanPortCombo(ports, customPort);
    for (const std::uint32_t address : plan.m_parallelPortWrites)
        StoreChosenPort(profile, address);
    return plan;
}

void StoreChosenPort(const ProfileStore& profile, std::uint32_t address)
{
    profile.WriteProfileInt(profile::kSection, profile::kParallelPort, address);
}

} // namespace pemrix
