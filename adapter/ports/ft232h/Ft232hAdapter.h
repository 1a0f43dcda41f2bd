#pragma once

#include "adapter/Adapter.h"
#include "adapter/ports/ft232h/Ft232hPort.h"
#include "adapter/ports/AdapterKind.h"
#include "adapter/ports/usb/UsbSetup.h"

#include <memory>

namespace pemrix {

// What ftdi_usb_open_bus_addr's answer means: -3 no such device, -4 libusb_open failed (on
// Linux the device node's permissions), -5 the interface could not be claimed.
AdapterStatus FtdiOpenStatus(int code);

// An FT232H, or a channel of an FT2232H or FT4232H, held in MPSSE mode for one driver handle.
class Ft232hAdapter : public Adapter
{
public:
    static std::unique_ptr<Ft232hAdapter> Connect(const UsbSetup& setup, const AdapterPlace& plug,
                                                  AdapterStatus& status);

    Ft232hAdapter(const UsbSetup& setup, std::unique_ptr<FtdiCalls> calls);
    ~Ft232hAdapter() override;
    Ft232hAdapter(const Ft232hAdapter&) = delete;
    Ft232hAdapter& operator=(const Ft232hAdapter&) = delete;

    MicrowireBus& BusFor(const MicrowireGeometry& chip) override;
    AdapterStatus FinishRequest() override;
    std::optional<MicrowireGeometry> WriteEnabledChip() const override
    {
        return m_bus.WriteEnabledChip();
    }

private:
    std::unique_ptr<FtdiCalls> m_calls;
    Ft232hPort m_port;
    MicrowireBus m_bus;
};

} // namespace pemrix
