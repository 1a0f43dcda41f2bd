#pragma once

#include "adapter/bus/BusClock.h"
#include "adapter/bus/BusTiming.h"
#include "adapter/ports/ch347/Ch347Exchanges.h"
#include "adapter/ports/usb/BatchingUsbPort.h"
#include "adapter/ports/usb/BulkEndpoints.h"
#include "adapter/ports/usb/UsbCalls.h"

namespace pemrix {

// The Microwire lines of a claimed CH347 through its SPI engine: each frame goes out in an OUT
// transfer of its own, with every answer's IN transfer in flight beside them.
class Ch347Port : public BatchingUsbPort
{
public:
    Ch347Port(UsbCalls& calls, UsbHandle handle, BusClock& clock, const BusTiming& timing,
              std::chrono::nanoseconds clockPeriod);

    // CS low, sent at once.
    void Rest();

private:
    bool BatchesWait(std::chrono::nanoseconds duration) const override;
    void Append(const BusStep& step) override { m_exchanges.Append(step); }
    void AppendPolls(unsigned polls, std::chrono::nanoseconds spacing) override
    {
        m_exchanges.Poll(polls, spacing);
    }
    std::size_t KeptSamples() const override { return m_exchanges.Samples(); }
    void Send(std::vector<bool>& samples) override;
    int Recover(int error) override;

    BulkEndpoints m_endpoints;
    Ch347Exchanges m_exchanges;
};

} // namespace pemrix
