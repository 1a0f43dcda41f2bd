#include "settings/PortDiscovery.h"

#include "settings/PortPlatform.h"

#include <algorithm>
#include <cstdio>
#include <string>
#include <utility>

namespace pemrix {

namespace {

constexpr std::size_t kInstanceIdChars = 200;
// 1024 bytes of UTF-16: at most 511 characters and the terminator.
constexpr std::size_t kFriendlyNameChars = 512;

std::u16string ReadFriendlyName(PortPlatform& platform, PortDeviceSet set, const PortDevice& device)
{
    std::array<char16_t, kFriendlyNameChars> buffer{};
    if (!platform.GetFriendlyName(set, device, buffer))
        return {};
    // The last character is kept for the terminator even when the platform sent none.
    const auto end = std::find(buffer.begin(), buffer.end() - 1, u'\0');
    return std::u16string(buffer.begin(), end);
}

std::string FormatIoBase(std::uint64_t base)
{
    char text[24];
    std::snprintf(text, sizeof text, "%04llX", static_cast<unsigned long long>(base));
    return text;
}

bool HasProblem(const PortNodeStatus& status, std::uint32_t problem)
{
    return (status.m_nStatus & kPortStatusHasProblem) != 0 && status.m_nProblem == problem;
}

std::optional<PortConfigHandle> ChooseConfig(PortPlatform& platform, PortDevNode node,
                                             const PortNodeStatus& status)
{
    if ((status.m_nStatus & kPortStatusHasProblem) == 0) {
        if (const auto allocated = platform.GetFirstLogConf(node, PortConfigKind::Allocated))
            return allocated;
    }
    if (const auto forced = platform.GetFirstLogConf(node, PortConfigKind::Forced))
        return forced;
    if (HasProblem(status, kPortProblemHardwareDisabled))
        return std::nullopt;
    return platform.GetFirstLogConf(node, PortConfigKind::Boot);
}

// Walks every descriptor of the configuration, releasing each one behind it.
std::string FirstIoRangeBase(PortPlatform& platform, PortConfigHandle config)
{
    std::string address;
    std::optional<PortResourceHandle> previous;
    std::uintptr_t current = config;
    while (const auto resource = platform.GetNextResDes(current)) {
        if (previous)
            platform.FreeResDes(*previous);
        previous = resource->m_hResource;
        current = resource->m_hResource;
        if (resource->m_type != PortResourceType::Io || !address.empty())
            continue;
        const auto range = platform.GetResDesData(*resource);
        if (range && range->m_nEnd - range->m_nBase + 1 != 0)
            address = FormatIoBase(range->m_nBase);
    }
    if (previous)
        platform.FreeResDes(*previous);
    return address;
}

void ReadPortRecord(PortPlatform& platform, PortDeviceSet set, const PortDevice& device,
                    PortRecord& record)
{
    std::array<char16_t, kInstanceIdChars> instanceId{};
    if (!platform.GetDeviceInstanceId(set, device, instanceId))
        return;
    std::u16string name = ReadFriendlyName(platform, set, device);
    if (name.find(u"LPT") == std::u16string::npos)
        return;
    record.m_strName = std::move(name);

    const PortNodeStatus status = platform.GetDevNodeStatus(device.m_nDevNode);
    if (status.m_nResult == kPortCrSuccess) {
        if (const auto config = ChooseConfig(platform, device.m_nDevNode, status)) {
            record.m_strAddress = FirstIoRangeBase(platform, *config);
            platform.FreeLogConf(*config);
        }
    }

    record.m_bDisabled = false;
    record.m_bAbsent = false;
    if (!platform.GetDeviceInfoListDetail(set))
        return;
    const PortNodeStatus now = platform.GetDevNodeStatus(device.m_nDevNode);
    if (now.m_nResult == kPortCrSuccess)
        record.m_bDisabled = HasProblem(now, kPortProblemDisabled);
    else
        record.m_bAbsent =
            now.m_nResult == kPortCrNoSuchDevNode || now.m_nResult == kPortCrNoSuchValue;
}

PortTable DiscoverParallelPorts(PortPlatform& platform)
{
    PortTable table;
    const auto classGuid = platform.ClassGuidFromName(u"Ports");
    if (!classGuid)
        return table;
    const auto set = platform.GetClassDevices(*classGuid);
    if (!set)
        return table;
    // Enumeration stops with the table: a device further on could not be recorded anyway.
    for (std::uint32_t position = 0; position < table.size(); ++position) {
        const auto device = platform.EnumDeviceInfo(*set, position);
        if (!device)
            break;
        ReadPortRecord(platform, *set, *device, table[position]);
    }
    platform.DestroyDeviceInfoList(*set);
    return table;
}

} // namespace

DiscoveredPorts DiscoverPorts(PortPlatform& platform)
{
    DiscoveredPorts ports;
    for (AdapterPortRecord& adapter : platform.BuiltInAdapters())
        ports.m_adapters.push_back(
            {std::move(adapter.m_strName), FormatIoBase(adapter.m_nPortValue)});
    ports.m_parallelPorts = DiscoverParallelPorts(platform);
    return ports;
}

} // namespace pemrix
