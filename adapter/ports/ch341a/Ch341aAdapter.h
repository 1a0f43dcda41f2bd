#pragma once

#include "adapter/Adapter.h"
#include "adapter/ports/ch341a/Ch341aPort.h"
#include "adapter/ports/AdapterKind.h"
#include "adapter/ports/usb/UsbSetup.h"

#include <memory>

namespace pemrix {

// A CH341A held for one driver handle: opened, its interface taken from any kernel driver and
// claimed, its lines at rest, until the handle closes.
class Ch341aAdapter : public Adapter
{
public:
    static std::unique_ptr<Ch341aAdapter> Connect(const UsbSetup& setup, const AdapterPlace& plug,
                                                  AdapterStatus& status);

    Ch341aAdapter(const UsbSetup& setup, UsbHandle handle);
    ~Ch341aAdapter() override;
    Ch341aAdapter(const Ch341aAdapter&) = delete;
    Ch341aAdapter& operator=(const Ch341aAdapter&) = delete;

    MicrowireBus& BusFor(const MicrowireGeometry& chip) override;
    AdapterStatus FinishRequest() override;
    std::optional<MicrowireGeometry> WriteEnabledChip() const override
    {
        return m_bus.WriteEnabledChip();
    }

private:
    UsbSetup m_setup;
    UsbHandle m_hDevice;
    Ch341aPort m_port;
    MicrowireBus m_bus;
};

} // namespace pemrix
