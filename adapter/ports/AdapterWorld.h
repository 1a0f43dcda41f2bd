#pragma once

#include "adapter/ports/gpiod/GpiodAdapter.h"
#include "adapter/ports/ppdev/ParportDirectory.h"
#include "adapter/ports/ppdev/PpdevAdapter.h"
#include "adapter/ports/usb/UsbSetup.h"
#include "adapter/virtual/VirtualAdapter.h"

#include <memory>
#include <optional>

namespace pemrix {

// What the registry's rows find and open adapters through. Listing the port list's adapters
// needs only the USB and GPIO calls and the GPIO wiring; the rest is the driver's.
struct AdapterWorld
{
    std::shared_ptr<VirtualAdapter> virtualAdapter;
    std::optional<ParportDirectory> parports;
    PpdevSetup ppdev;
    UsbSetup usb;
    GpioSetup gpio;
};

} // namespace pemrix
