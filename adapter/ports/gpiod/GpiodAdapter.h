#pragma once

#include "adapter/Adapter.h"
#include "adapter/bus/BusClock.h"
#include "adapter/bus/BusTiming.h"
#include "adapter/bus/MicrowireBus.h"
#include "adapter/ports/LineTransactionPort.h"
#include "adapter/ports/gpiod/GpioWiring.h"
#include "adapter/ports/gpiod/GpiodLinePort.h"

#include <memory>
#include <string>

namespace pemrix {

// What every connection to GPIO lines is made with.
struct GpioSetup
{
    std::shared_ptr<GpiodCalls> calls;
    std::shared_ptr<BusClock> clock;
    BusTiming timing;
    GpioWiring wiring;
};

// A chip wired to four lines of a gpiochip, clocked by the host like a parallel port: every
// wait is measured on the bus clock, which is the monotonic clock outside the tests. The lines
// are held for the driver handle, the outputs low when it closes.
class GpiodAdapter : public Adapter
{
public:
    // nullptr and the reason when the chip or a line cannot be had.
    static std::unique_ptr<GpiodAdapter> Connect(const GpioSetup& setup, const std::string& path,
                                                 AdapterStatus& status);

    explicit GpiodAdapter(const GpioSetup& setup);
    ~GpiodAdapter() override;
    GpiodAdapter(const GpiodAdapter&) = delete;
    GpiodAdapter& operator=(const GpiodAdapter&) = delete;

    MicrowireBus& BusFor(const MicrowireGeometry& chip) override;
    AdapterStatus FinishRequest() override;
    std::optional<MicrowireGeometry> WriteEnabledChip() const override
    {
        return m_bus.WriteEnabledChip();
    }

private:
    GpioSetup m_setup;
    GpiodLinePort m_lines;
    LineTransactionPort m_transactions;
    MicrowireBus m_bus;
};

} // namespace pemrix
