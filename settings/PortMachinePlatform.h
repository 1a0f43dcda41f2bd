#pragma once

#include "settings/PortMachine.h"
#include "settings/PortPlatform.h"

#include <cstddef>
#include <map>
#include <set>

namespace pemrix {

// A PortPlatform that answers from a machine given as data. Device nodes are numbered by
// position from 1; every handle it issues is tracked, so a caller that forgets a release, or
// releases twice, can be caught.
class PortMachinePlatform : public PortPlatform
{
public:
    explicit PortMachinePlatform(PortMachine machine);

    std::size_t LiveHandleCount() const;
    // Releases of handles that were never issued or were released already.
    std::size_t BadReleaseCount() const { return m_nBadReleases; }

    std::optional<PortClassGuid> ClassGuidFromName(std::u16string_view className) override;
    std::optional<PortDeviceSet> GetClassDevices(const PortClassGuid& classGuid) override;
    std::optional<PortDevice> EnumDeviceInfo(PortDeviceSet set, std::uint32_t index) override;
    bool GetDeviceInstanceId(PortDeviceSet set, const PortDevice& device,
                             std::span<char16_t> buffer) override;
    bool GetFriendlyName(PortDeviceSet set, const PortDevice& device,
                         std::span<char16_t> buffer) override;
    PortNodeStatus GetDevNodeStatus(PortDevNode node) override;
    std::optional<PortConfigHandle> GetFirstLogConf(PortDevNode node, PortConfigKind kind) override;
    std::optional<PortResource> GetNextResDes(std::uintptr_t current) override;
    std::optional<PortResourceRange> GetResDesData(const PortResource& resource) override;
    bool GetDeviceInfoListDetail(PortDeviceSet set) override;
    void FreeResDes(PortResourceHandle resource) override;
    void FreeLogConf(PortConfigHandle config) override;
    void DestroyDeviceInfoList(PortDeviceSet set) override;

private:
    // Where a configuration handle, or a descriptor handle, points in the machine.
    struct Place
    {
        std::size_t m_nDevice = 0;
        std::size_t m_nConfig = 0;
        std::size_t m_nResource = 0;
    };

    const PortMachineDevice* FindDevice(PortDeviceSet set, const PortDevice& device) const;
    const PortMachineDevice* FindNode(PortDevNode node) const;
    const PortMachineResource* FindResource(const Place& place) const;
    std::optional<PortResource> IssueResource(const Place& place);
    std::uintptr_t IssueHandle() { return m_nNextHandle++; }
    template <typename Live> void Release(Live& live, std::uintptr_t handle);

    PortMachine m_machine;
    std::set<PortDeviceSet> m_liveSets;
    std::map<PortConfigHandle, Place> m_liveConfigs;
    std::map<PortResourceHandle, Place> m_liveResources;
    std::uintptr_t m_nNextHandle = 0x100;
    std::size_t m_nBadReleases = 0;
};

} // namespace pemrix
