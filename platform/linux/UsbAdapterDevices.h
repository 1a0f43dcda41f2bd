#pragma once

#include "adapter/ports/usb/UsbCalls.h"
#include "settings/PortMachine.h"

#include <vector>

namespace pemrix {

// The USB adapters plugged in now, as discovery sees them: each named for its chip and USB
// port, its pseudo port address as its one I/O range, in the order libusb lists them.
std::vector<PortMachineDevice> UsbAdapterDevices(UsbCalls& usb);

} // namespace pemrix
