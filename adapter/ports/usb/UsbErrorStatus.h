#pragma once

#include "adapter/AdapterStatus.h"

namespace pemrix {

// The status a libusb error code stands for: a device that is gone is not plugged in, a node
// we may not open is not permitted, a busy interface is claimed, anything else is a failed
// transfer.
AdapterStatus UsbErrorStatus(int error);

} // namespace pemrix
