#include "tests/settings/DescribedPorts.h"

namespace pemrix {

PortMachineResource IoRange(std::uint64_t base, std::uint64_t end)
{
    return PortMachineResource{PortResourceType::Io, base, end, true};
}

PortMachineResource MemoryRange(std::uint64_t base, std::uint64_t end)
{
    return PortMachineResource{PortResourceType::Memory, base, end, true};
}

PortMachineDevice DescribedPort(std::u16string name, std::uint64_t base)
{
    return DescribedPort(std::move(name), PortNodeStatus{},
                         {PortMachineConfig{PortConfigKind::Allocated, {IoRange(base, base + 7)}}});
}

PortMachineDevice DescribedSerialPort()
{
    return DescribedPort(u"Communications Port (COM1)", 0x3F8);
}

PortMachineDevice DescribedPort(std::u16string name, PortNodeStatus status,
                                std::vector<PortMachineConfig> configs)
{
    PortMachineDevice device;
    device.m_strFriendlyName = std::move(name);
    device.m_status = status;
    device.m_configs = std::move(configs);
    return device;
}

PortMachine DescribedMachine(std::vector<PortMachineDevice> devices)
{
    PortMachine machine;
    machine.m_devices = std::move(devices);
    return machine;
}

PortNodeStatus ProblemStatus(std::uint32_t problem)
{
    return PortNodeStatus{kPortCrSuccess, kPortStatusHasProblem, problem};
}

} // namespace pemrix
