#include "adapter/ports/usb/UsbInterfaceClaim.h"

namespace pemrix {

int ClaimUsbInterface(UsbCalls& calls, const UsbDeviceEntry& device, int interfaceNumber,
                      UsbHandle& handle)
{
    int error = calls.Open(device, handle);
    if (error != 0)
        return error;
    error = calls.DetachKernelDriver(handle, interfaceNumber);
    if (error == 0)
        error = calls.ClaimInterface(handle, interfaceNumber);
    if (error != 0)
        calls.Close(handle);
    return error;
}

} // namespace pemrix
