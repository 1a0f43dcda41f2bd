#pragma once

#include "adapter/ports/usb/UsbCalls.h"

namespace pemrix {

// Opens the device and claims its interface `interfaceNumber`, taking it from a kernel driver
// that holds it (the ch341 serial or spi driver, the CH347's serial one), as peer tools do.
// Answers 0 with the device's handle in `handle`, or the libusb error with nothing left open.
int ClaimUsbInterface(UsbCalls& calls, const UsbDeviceEntry& device, int interfaceNumber,
                      UsbHandle& handle);

} // namespace pemrix
