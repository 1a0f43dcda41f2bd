#pragma once

#include "adapter/bus/BusClock.h"
#include "adapter/bus/BusTiming.h"
#include "adapter/ports/ft232h/FtdiCalls.h"
#include "adapter/ports/usb/UsbCalls.h"

#include <functional>
#include <memory>

namespace pemrix {

// What every connection to a USB adapter is made with.
struct UsbSetup
{
    std::shared_ptr<UsbCalls> usb;
    // A fresh libftdi context for each FT232H connection.
    std::function<std::unique_ptr<FtdiCalls>()> makeFtdi;
    std::shared_ptr<BusClock> clock;
    BusTiming timing;
};

} // namespace pemrix
