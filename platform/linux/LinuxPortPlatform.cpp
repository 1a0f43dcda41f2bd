#include "platform/linux/LinuxPortPlatform.h"

#include "platform/linux/UsbAdapterDevices.h"

namespace pemrix {

namespace {

// Enumerated between the virtual adapter and the parallel ports, the combo's reverse order
// lists the USB adapters below the parallel ports and above the virtual adapter.
PortMachine DescribeLinuxMachine(const std::filesystem::path& parportRoot, UsbCalls* usb)
{
    PortMachine machine = DescribeParportMachine(parportRoot);
    if (usb) {
        const std::vector<PortMachineDevice> adapters = UsbAdapterDevices(*usb);
        machine.m_devices.insert(machine.m_devices.begin() + 1, adapters.begin(), adapters.end());
    }
    return machine;
}

} // namespace

LinuxPortPlatform::LinuxPortPlatform(const std::filesystem::path& parportRoot, UsbCalls* usb)
    : PortMachinePlatform(DescribeLinuxMachine(parportRoot, usb))
{
}

} // namespace pemrix
