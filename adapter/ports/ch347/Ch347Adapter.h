#pragma once

#include "adapter/Adapter.h"
#include "adapter/ports/AdapterKind.h"
#include "adapter/ports/ch347/Ch347Port.h"
#include "adapter/ports/usb/UsbSetup.h"

#include <memory>

namespace pemrix {

// A CH347T or CH347F held for one driver handle: opened, its vendor interface taken from any
// kernel driver and claimed, its SPI engine set to the bus's clock, CS low, until the handle
// closes.
class Ch347Adapter : public Adapter
{
public:
    // Refuses, before touching the adapter, when its slowest clock is too fast for the bus's
    // part class.
    static std::unique_ptr<Ch347Adapter> Connect(const UsbSetup& setup, const AdapterPlace& plug,
                                                 AdapterStatus& status);

    Ch347Adapter(const UsbSetup& setup, UsbHandle handle, int interfaceNumber,
                 std::chrono::nanoseconds clockPeriod);
    ~Ch347Adapter() override;
    Ch347Adapter(const Ch347Adapter&) = delete;
    Ch347Adapter& operator=(const Ch347Adapter&) = delete;

    MicrowireBus& BusFor(const MicrowireGeometry& chip) override;
    AdapterStatus FinishRequest() override;
    std::optional<MicrowireGeometry> WriteEnabledChip() const override
    {
        return m_bus.WriteEnabledChip();
    }

private:
    UsbSetup m_setup;
    UsbHandle m_hDevice;
    int m_nInterface;
    Ch347Port m_port;
    MicrowireBus m_bus;
};

} // namespace pemrix
