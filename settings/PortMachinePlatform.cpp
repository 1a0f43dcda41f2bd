#include "settings/PortMachinePlatform.h"

#include <algorithm>

namespace pemrix {

namespace {

// The identifier the "Ports" class has on Windows, in its in-memory byte order.
constexpr PortClassGuid kPortsClassGuid = {0x78, 0xE9, 0x36, 0x4D, 0x25, 0xE3, 0xCE, 0x11,
                                           0xBF, 0xC1, 0x08, 0x00, 0x2B, 0xE1, 0x03, 0x18};

PortDevNode NodeOfPosition(std::size_t position)
{
    return static_cast<PortDevNode>(position + 1);
}

} // namespace

PortMachinePlatform::PortMachinePlatform(PortMachine machine) : m_machine(std::move(machine)) {}

std::size_t PortMachinePlatform::LiveHandleCount() const
{
    return m_liveSets.size() + m_liveConfigs.size() + m_liveResources.size();
}

std::optional<PortClassGuid> PortMachinePlatform::ClassGuidFromName(std::u16string_view className)
{
    if (!m_machine.m_bKnowsPortsClass || className != u"Ports")
        return std::nullopt;
    return kPortsClassGuid;
}

std::optional<PortDeviceSet> PortMachinePlatform::GetClassDevices(const PortClassGuid& classGuid)
{
    if (!m_machine.m_bDeviceSetOpens || classGuid != kPortsClassGuid)
        return std::nullopt;
    const PortDeviceSet set = IssueHandle();
    m_liveSets.insert(set);
    return set;
}

std::optional<PortDevice> PortMachinePlatform::EnumDeviceInfo(PortDeviceSet set,
                                                              std::uint32_t index)
{
    if (!m_liveSets.contains(set) || index >= m_machine.m_devices.size())
        return std::nullopt;
    return PortDevice{index, NodeOfPosition(index)};
}

bool PortMachinePlatform::GetDeviceInstanceId(PortDeviceSet set, const PortDevice& device,
                                              std::span<char16_t> buffer)
{
    const PortMachineDevice* described = FindDevice(set, device);
    if (described == nullptr || described->m_strInstanceId.empty() ||
        described->m_strInstanceId.size() >= buffer.size())
        return false;
    const auto end = std::copy(described->m_strInstanceId.begin(), described->m_strInstanceId.end(),
                               buffer.begin());
    *end = u'\0';
    return true;
}

bool PortMachinePlatform::GetFriendlyName(PortDeviceSet set, const PortDevice& device,
                                          std::span<char16_t> buffer)
{
    const PortMachineDevice* described = FindDevice(set, device);
    if (described == nullptr || !described->m_bFriendlyNameReadable)
        return false;
    // A name that fills the buffer arrives without a terminator, the harshest answer a
    // registry string can give.
    const std::u16string& name = described->m_strFriendlyName;
    const std::size_t copied = std::min(name.size(), buffer.size());
    std::copy_n(name.begin(), copied, buffer.begin());
    if (copied < buffer.size())
        buffer[copied] = u'\0';
    return true;
}

PortNodeStatus PortMachinePlatform::GetDevNodeStatus(PortDevNode node)
{
    const PortMachineDevice* described = FindNode(node);
    if (described == nullptr)
        return PortNodeStatus{kPortCrNoSuchDevNode, 0, 0};
    return described->m_status;
}

std::optional<PortConfigHandle> PortMachinePlatform::GetFirstLogConf(PortDevNode node,
                                                                     PortConfigKind kind)
{
    const PortMachineDevice* described = FindNode(node);
    if (described == nullptr)
        return std::nullopt;
    const auto& configs = described->m_configs;
    const auto found = std::find_if(configs.begin(), configs.end(),
                                    [kind](const auto& config) { return config.m_kind == kind; });
    if (found == configs.end())
        return std::nullopt;
    const PortConfigHandle config = IssueHandle();
    m_liveConfigs[config] = Place{node - 1u, static_cast<std::size_t>(found - configs.begin()), 0};
    return config;
}

std::optional<PortResource> PortMachinePlatform::GetNextResDes(std::uintptr_t current)
{
    if (const auto config = m_liveConfigs.find(current); config != m_liveConfigs.end())
        return IssueResource(config->second);
    if (const auto resource = m_liveResources.find(current); resource != m_liveResources.end()) {
        Place next = resource->second;
        ++next.m_nResource;
        return IssueResource(next);
    }
    return std::nullopt;
}

std::optional<PortResourceRange> PortMachinePlatform::GetResDesData(const PortResource& resource)
{
    const auto live = m_liveResources.find(resource.m_hResource);
    if (live == m_liveResources.end())
        return std::nullopt;
    const PortMachineResource* described = FindResource(live->second);
    if (!described->m_bDataReadable)
        return std::nullopt;
    return PortResourceRange{described->m_nBase, described->m_nEnd};
}

bool PortMachinePlatform::GetDeviceInfoListDetail(PortDeviceSet set)
{
    return m_machine.m_bDetailReadable && m_liveSets.contains(set);
}

void PortMachinePlatform::FreeResDes(PortResourceHandle resource)
{
    Release(m_liveResources, resource);
}

void PortMachinePlatform::FreeLogConf(PortConfigHandle config)
{
    Release(m_liveConfigs, config);
}

void PortMachinePlatform::DestroyDeviceInfoList(PortDeviceSet set)
{
    Release(m_liveSets, set);
}

const PortMachineDevice* PortMachinePlatform::FindDevice(PortDeviceSet set,
                                                         const PortDevice& device) const
{
    if (!m_liveSets.contains(set) || device.m_nDevNode != NodeOfPosition(device.m_nIndex))
        return nullptr;
    return FindNode(device.m_nDevNode);
}

const PortMachineDevice* PortMachinePlatform::FindNode(PortDevNode node) const
{
    if (node == 0 || node > m_machine.m_devices.size())
        return nullptr;
    return &m_machine.m_devices[node - 1];
}

const PortMachineResource* PortMachinePlatform::FindResource(const Place& place) const
{
    const auto& resources =
        m_machine.m_devices[place.m_nDevice].m_configs[place.m_nConfig].m_resources;
    return place.m_nResource < resources.size() ? &resources[place.m_nResource] : nullptr;
}

std::optional<PortResource> PortMachinePlatform::IssueResource(const Place& place)
{
    const PortMachineResource* described = FindResource(place);
    if (described == nullptr)
        return std::nullopt;
    const PortResourceHandle resource = IssueHandle();
    m_liveResources[resource] = place;
    return PortResource{resource, described->m_type};
}

template <typename Live> void PortMachinePlatform::Release(Live& live, std::uintptr_t handle)
{
    if (live.erase(handle) == 0)
        ++m_nBadReleases;
}

} // namespace pemrix
