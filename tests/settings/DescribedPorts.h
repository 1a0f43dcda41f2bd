#pragma once

#include "settings/PortMachine.h"

#include <cstdint>
#include <string>
#include <vector>

namespace pemrix {

// Short ways to write down the machines that port discovery is tested on; serve one with a
// PortMachinePlatform.

PortMachineResource IoRange(std::uint64_t base, std::uint64_t end);
PortMachineResource MemoryRange(std::uint64_t base, std::uint64_t end);

// A present, working device whose allocated configuration holds [base, base + 7].
PortMachineDevice DescribedPort(std::u16string name, std::uint64_t base);

// "Communications Port (COM1)" at 0x3F8.
PortMachineDevice DescribedSerialPort();

// A device with that status and those configurations.
PortMachineDevice DescribedPort(std::u16string name, PortNodeStatus status,
                                std::vector<PortMachineConfig> configs);

PortMachine DescribedMachine(std::vector<PortMachineDevice> devices);

// A node status with the problem bit set and that problem code.
PortNodeStatus ProblemStatus(std::uint32_t problem);

} // namespace pemrix
