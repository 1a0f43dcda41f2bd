#pragma once

#include "settings/PortPlatform.h"

namespace pemrix {

// The Windows provider of port discovery: each operation is the SetupAPI or configuration
// manager call it is named after.
class WinPortPlatform : public PortPlatform
{
public:
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
};

} // namespace pemrix
