#pragma once

#include "adapter/ports/AdapterKind.h"
#include "adapter/ports/usb/UsbCalls.h"

#include <span>
#include <string_view>
#include <vector>

namespace pemrix {

// The port id of an adapter of that family at the device's bus and hub port: the same for the
// same family on the same bus and port at every start. A channel beyond the first adds its
// letter, so channel A keeps the id it had before channels were told apart.
PortId UsbAdapterPortId(std::string_view family, const UsbDeviceEntry& device, int channel = 0);

// The machine's USB devices that are products of those kinds, in the order libusb lists them.
std::vector<AdapterPlace> PluggedUsbAdapters(UsbCalls& calls, std::span<const AdapterKind> kinds);

} // namespace pemrix
