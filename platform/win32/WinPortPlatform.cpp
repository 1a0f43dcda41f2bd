#include "platform/win32/WinPortPlatform.h"

#include <windows.h>

#include <cfgmgr32.h>
#include <setupapi.h>

#include <cstring>
#include <string>
#include <vector>

namespace pemrix {

namespace {

static_assert(sizeof(wchar_t) == sizeof(char16_t), "UTF-16 buffers are handed to W calls");
static_assert(sizeof(GUID) == sizeof(PortClassGuid));

HDEVINFO SetHandle(PortDeviceSet set)
{
    return reinterpret_cast<HDEVINFO>(set);
}

// The device's SP_DEVINFO_DATA, fetched again by position, so the seam carries no Windows type.
bool DeviceInfoData(PortDeviceSet set, const PortDevice& device, SP_DEVINFO_DATA& data)
{
    data = {};
    data.cbSize = sizeof data;
    return SetupDiEnumDeviceInfo(SetHandle(set), device.m_nIndex, &data) != FALSE &&
           data.DevInst == device.m_nDevNode;
}

template <typename Descriptor>
std::optional<Descriptor> ReadDescriptorHeader(const std::vector<BYTE>& data)
{
    if (data.size() < sizeof(Descriptor))
        return std::nullopt;
    Descriptor header;
    std::memcpy(&header, data.data(), sizeof header);
    return header;
}

} // namespace

std::optional<PortClassGuid> WinPortPlatform::ClassGuidFromName(std::u16string_view className)
{
    const std::wstring name(className.begin(), className.end());
    GUID guid{};
    DWORD required = 0;
    // With room for one identifier the call fails when the name has several, yet fills the
    // first; only a name with none is a failure here.
    const BOOL found =
        SetupDiClassGuidsFromNameExW(name.c_str(), &guid, 1, &required, nullptr, nullptr);
    if ((found == FALSE && GetLastError() != ERROR_INSUFFICIENT_BUFFER) || required == 0)
        return std::nullopt;
    PortClassGuid classGuid;
    std::memcpy(classGuid.data(), &guid, sizeof guid);
    return classGuid;
}

std::optional<PortDeviceSet> WinPortPlatform::GetClassDevices(const PortClassGuid& classGuid)
{
    GUID guid;
    std::memcpy(&guid, classGuid.data(), sizeof guid);
    // No DIGCF_PRESENT: installed devices that are not present are wanted too.
    const HDEVINFO set = SetupDiGetClassDevsW(&guid, nullptr, nullptr, 0);
    if (set == INVALID_HANDLE_VALUE)
        return std::nullopt;
    return reinterpret_cast<PortDeviceSet>(set);
}

std::optional<PortDevice> WinPortPlatform::EnumDeviceInfo(PortDeviceSet set, std::uint32_t index)
{
    SP_DEVINFO_DATA data{};
    data.cbSize = sizeof data;
    if (SetupDiEnumDeviceInfo(SetHandle(set), index, &data) == FALSE)
        return std::nullopt;
    return PortDevice{index, data.DevInst};
}

bool WinPortPlatform::GetDeviceInstanceId(PortDeviceSet set, const PortDevice& device,
                                          std::span<char16_t> buffer)
{
    SP_DEVINFO_DATA data;
    if (buffer.empty() || !DeviceInfoData(set, device, data))
        return false;
    return SetupDiGetDeviceInstanceIdW(SetHandle(set), &data,
                                       reinterpret_cast<PWSTR>(buffer.data()),
                                       static_cast<DWORD>(buffer.size()), nullptr) != FALSE;
}

bool WinPortPlatform::GetFriendlyName(PortDeviceSet set, const PortDevice& device,
                                      std::span<char16_t> buffer)
{
    SP_DEVINFO_DATA data;
    if (!DeviceInfoData(set, device, data))
        return false;
    return SetupDiGetDeviceRegistryPropertyW(SetHandle(set), &data, SPDRP_FRIENDLYNAME, nullptr,
                                             reinterpret_cast<PBYTE>(buffer.data()),
                                             static_cast<DWORD>(buffer.size_bytes()),
                                             nullptr) != FALSE;
}

PortNodeStatus WinPortPlatform::GetDevNodeStatus(PortDevNode node)
{
    ULONG status = 0;
    ULONG problem = 0;
    const CONFIGRET result = CM_Get_DevNode_Status(&status, &problem, node, 0);
    return PortNodeStatus{static_cast<std::uint32_t>(result), static_cast<std::uint32_t>(status),
                          static_cast<std::uint32_t>(problem)};
}

std::optional<PortConfigHandle> WinPortPlatform::GetFirstLogConf(PortDevNode node,
                                                                 PortConfigKind kind)
{
    LOG_CONF config = 0;
    if (CM_Get_First_Log_Conf(&config, node, static_cast<ULONG>(kind)) != CR_SUCCESS)
        return std::nullopt;
    return static_cast<PortConfigHandle>(config);
}

std::optional<PortResource> WinPortPlatform::GetNextResDes(std::uintptr_t current)
{
    RES_DES next = 0;
    RESOURCEID type = 0;
    if (CM_Get_Next_Res_Des(&next, static_cast<RES_DES>(current), ResType_All, &type, 0) !=
        CR_SUCCESS)
        return std::nullopt;
    return PortResource{static_cast<PortResourceHandle>(next), static_cast<PortResourceType>(type)};
}

std::optional<PortResourceRange> WinPortPlatform::GetResDesData(const PortResource& resource)
{
    const auto handle = static_cast<RES_DES>(resource.m_hResource);
    ULONG size = 0;
    if (CM_Get_Res_Des_Data_Size(&size, handle, 0) != CR_SUCCESS)
        return std::nullopt;
    std::vector<BYTE> data(size);
    if (size == 0 || CM_Get_Res_Des_Data(handle, data.data(), size, 0) != CR_SUCCESS)
        return std::nullopt;
    if (resource.m_type == PortResourceType::Io) {
        const auto io = ReadDescriptorHeader<IO_DES>(data);
        if (!io)
            return std::nullopt;
        return PortResourceRange{io->IOD_Alloc_Base, io->IOD_Alloc_End};
    }
    if (resource.m_type == PortResourceType::Memory) {
        const auto memory = ReadDescriptorHeader<MEM_DES>(data);
        if (!memory)
            return std::nullopt;
        return PortResourceRange{memory->MD_Alloc_Base, memory->MD_Alloc_End};
    }
    return PortResourceRange{};
}

bool WinPortPlatform::GetDeviceInfoListDetail(PortDeviceSet set)
{
    SP_DEVINFO_LIST_DETAIL_DATA_W detail{};
    detail.cbSize = sizeof detail;
    return SetupDiGetDeviceInfoListDetailW(SetHandle(set), &detail) != FALSE;
}

void WinPortPlatform::FreeResDes(PortResourceHandle resource)
{
    CM_Free_Res_Des_Handle(static_cast<RES_DES>(resource));
}

void WinPortPlatform::FreeLogConf(PortConfigHandle config)
{
    CM_Free_Log_Conf_Handle(static_cast<LOG_CONF>(config));
}

void WinPortPlatform::DestroyDeviceInfoList(PortDeviceSet set)
{
    SetupDiDestroyDeviceInfoList(SetHandle(set));
}

} // namespace pemrix
