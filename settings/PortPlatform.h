#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace pemrix {

// Handles as the platform hands them out; only the platform that issued one reads it.
using PortDeviceSet = std::uintptr_t;
using PortDevNode = std::uint32_t;
using PortConfigHandle = std::uintptr_t;
using PortResourceHandle = std::uintptr_t;

using PortClassGuid = std::array<std::uint8_t, 16>;

// Configuration manager result codes that discovery tells apart.
inline constexpr std::uint32_t kPortCrSuccess = 0;
inline constexpr std::uint32_t kPortCrNoSuchDevNode = 13;
inline constexpr std::uint32_t kPortCrNoSuchValue = 37;

// Node status bit and problem codes.
inline constexpr std::uint32_t kPortStatusHasProblem = 0x400;
inline constexpr std::uint32_t kPortProblemDisabled = 22;
inline constexpr std::uint32_t kPortProblemHardwareDisabled = 29;

enum class PortConfigKind : std::uint32_t
{
    Allocated = 2,
    Boot = 3,
    Forced = 4,
};

enum class PortResourceType : std::uint32_t
{
    Memory = 1,
    Io = 2,
    Dma = 3,
    Interrupt = 4,
};

// What CM_Get_DevNode_Status answers: its result code, the status bits and the problem code.
struct PortNodeStatus
{
    std::uint32_t m_nResult = kPortCrSuccess;
    std::uint32_t m_nStatus = 0;
    std::uint32_t m_nProblem = 0;
};

// One enumerated device: its position in the set and its device node.
struct PortDevice
{
    std::uint32_t m_nIndex = 0;
    PortDevNode m_nDevNode = 0;
};

struct PortResource
{
    PortResourceHandle m_hResource = 0;
    PortResourceType m_type = PortResourceType::Io;
};

// The allocated range of a memory or I/O descriptor; both zero for the other kinds.
struct PortResourceRange
{
    std::uint64_t m_nBase = 0;
    std::uint64_t m_nEnd = 0;
};

// A port the built-in driver offers besides the machine's parallel ports: one of its own
// adapters, under its name and the value "PARALLEL PORT" stores for it.
struct AdapterPortRecord
{
    std::u16string m_strName;
    std::uint32_t m_nPortValue = 0;
};

// The device set and configuration manager operations that port discovery walks, shaped like
// SetupDiClassGuidsFromNameExW and its companions so that a provider maps each one to one call.
class PortPlatform
{
public:
    virtual ~PortPlatform() = default;

    // The first class identifier of that name.
    virtual std::optional<PortClassGuid> ClassGuidFromName(std::u16string_view className) = 0;
    // Every device of the class, present or not.
    virtual std::optional<PortDeviceSet> GetClassDevices(const PortClassGuid& classGuid) = 0;
    // The device at that position, or nothing when there are no more.
    virtual std::optional<PortDevice> EnumDeviceInfo(PortDeviceSet set, std::uint32_t index) = 0;
    // Writes a zero-terminated identifier into the buffer; fails when it does not fit.
    virtual bool GetDeviceInstanceId(PortDeviceSet set, const PortDevice& device,
                                     std::span<char16_t> buffer) = 0;
    // Writes the friendly name into the buffer; like any registry string it may arrive
    // without a terminator, so callers read no further than the buffer.
    virtual bool GetFriendlyName(PortDeviceSet set, const PortDevice& device,
                                 std::span<char16_t> buffer) = 0;
    virtual PortNodeStatus GetDevNodeStatus(PortDevNode node) = 0;
    virtual std::optional<PortConfigHandle> GetFirstLogConf(PortDevNode node,
                                                            PortConfigKind kind) = 0;
    // The descriptor after `current`, which is first the configuration handle and then the
    // previous descriptor; every type is walked.
    virtual std::optional<PortResource> GetNextResDes(std::uintptr_t current) = 0;
    // Nothing when the descriptor's data cannot be read.
    virtual std::optional<PortResourceRange> GetResDesData(const PortResource& resource) = 0;
    virtual bool GetDeviceInfoListDetail(PortDeviceSet set) = 0;

    virtual void FreeResDes(PortResourceHandle resource) = 0;
    virtual void FreeLogConf(PortConfigHandle config) = 0;
    virtual void DestroyDeviceInfoList(PortDeviceSet set) = 0;

    // The built-in driver's adapters, in its order; none where the driver is the kernel's.
    virtual std::vector<AdapterPortRecord> BuiltInAdapters() { return {}; }
};

} // namespace pemrix
