#pragma once

#include "adapter/Adapter.h"
#include "adapter/ports/usb/UsbSetup.h"

#include <cstdint>
#include <memory>

namespace pemrix {

// Connects a USB adapter's pseudo port address to the adapter plugged in there now.
class UsbAdapterConnector
{
public:
    explicit UsbAdapterConnector(UsbSetup setup);

    // nullptr and the reason when nothing usable is plugged in at `address`.
    std::shared_ptr<Adapter> Connect(std::uint32_t address, AdapterStatus& status);

private:
    UsbSetup m_setup;
};

} // namespace pemrix
