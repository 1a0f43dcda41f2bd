#include "platform/linux/UsbAdapterDevices.h"

#include "adapter/ports/usb/UsbAdapterDirectory.h"

#include <cstdio>
#include <cstring>

namespace pemrix {

namespace {

PortMachineDevice UsbAdapterDevice(const UsbAdapterPlug& plug)
{
    char id[40];
    std::snprintf(id, sizeof id, "PEMRIX\\USB\\%08X", plug.address);
    PortMachineDevice device;
    // Both are ASCII.
    device.m_strInstanceId.assign(id, id + std::strlen(id));
    device.m_strFriendlyName.assign(plug.name.begin(), plug.name.end());
    device.m_configs.push_back(PortMachineConfig{
        PortConfigKind::Allocated,
        {PortMachineResource{PortResourceType::Io, plug.address, plug.address, true}}});
    return device;
}

} // namespace

std::vector<PortMachineDevice> UsbAdapterDevices(UsbCalls& usb)
{
    std::vector<PortMachineDevice> devices;
    for (const UsbAdapterPlug& plug : PluggedUsbAdapters(usb))
        devices.push_back(UsbAdapterDevice(plug));
    return devices;
}

} // namespace pemrix
