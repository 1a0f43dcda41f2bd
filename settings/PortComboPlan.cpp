#include "settings/PortComboPlan.h"

#include "settings/PortDiscovery.h"
#include "settings/ProfileKeys.h"
#include "settings/ProfileStore.h"

namespace pemrix {

PortComboPlan PlanPortCombo(const PortTable& table, std::uint32_t customPort)
{
    PortComboPlan plan;
    for (const PortRecord& record : table) {
        if (record.m_strName.empty() || record.m_bAbsent || record.m_strAddress.empty())
            continue;
        const PortComboEntry entry = DiscoveredPortEntry(record);
        plan.m_parallelPortWrites.push_back(entry.m_nAddress);
        plan.m_entries.insert(plan.m_entries.begin(), entry);
    }
    if (!plan.m_entries.empty())
        plan.m_nCurrentIndex = 0;
    if (customPort != 0)
        plan.m_entries.push_back(StoredCustomPortEntry(customPort));
    return plan;
}

PortComboPlan FillPortCombo(PortPlatform& platform, const ProfileStore& profile)
{
    const PortTable table = DiscoverPorts(platform);
    const std::uint32_t customPort =
        profile.GetProfileInt(profile::kSection, profile::kCustomPort, profile::kDefaultCustomPort);
    PortComboPlan plan = PlanPortCombo(table, customPort);
    for (const std::uint32_t address : plan.m_parallelPortWrites)
        StoreChosenPort(profile, address);
    return plan;
}

void StoreChosenPort(const ProfileStore& profile, std::uint32_t address)
{
    profile.WriteProfileInt(profile::kSection, profile::kParallelPort, address);
}

} // namespace pemrix
