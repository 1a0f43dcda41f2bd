#pragma once

#include "adapter/Adapter.h"
#include "adapter/ports/ft232h/Ft232hPort.h"
#include "adapter/ports/AdapterKind.h"
#include "adapter/ports/usb/UsbSetup.h"

#include <memory>

namespace pemrix {

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
