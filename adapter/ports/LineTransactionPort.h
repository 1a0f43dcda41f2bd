#pragma once

#include "adapter/bus/BusClock.h"
#include "adapter/bus/BusTiming.h"
#include "adapter/bus/BusTransaction.h"
#include "adapter/bus/LinePort.h"

#include <optional>
#include <vector>

namespace pemrix {

// Carries out transactions pin by pin on a line port, pacing every change with the bus
// timing: the road for ports whose every line change is one port access (ppdev, the
// simulated port).
class LineTransactionPort : public TransactionPort
{
public:
    LineTransactionPort(LinePort& lines, BusClock& clock, const BusTiming& timing);

    std::vector<bool> Run(const BusTransaction& transaction) override;
    std::chrono::nanoseconds FirstSampleDelay() const override { return m_firstSampleDelay; }

private:
    void Select();
    void ClockOut(std::uint32_t bits, unsigned count);
    void ClockIn(unsigned count, std::vector<bool>& samples);
    bool Sample();
    bool PollUntilHigh(std::chrono::nanoseconds interval, std::chrono::nanoseconds limit);
    void Deselect();
    // Chip select to `level` with SK and DI low, in one port access.
    void SetChipSelect(bool level);
    void SettleClock();
    void HalfPeriod();
    // DO, noting how late the Run's first sample came.
    bool ReadDataOut();

    LinePort& m_lines;
    BusClock& m_clock;
    BusTiming m_timing;
    // A clock-out leaves its last falling SK edge recorded but not yet on the wire, so the
    // next bit's DI goes out with it in one port access.
    bool m_bClockFallPending = false;
    // Taken before the port access that lowers CS and after the one that reads DO, so the
    // delay between them is never underestimated, whatever the scheduler did.
    std::chrono::nanoseconds m_chipSelectFell{0};
    std::chrono::nanoseconds m_runChipSelectFell{0};
    std::optional<std::chrono::nanoseconds> m_runFirstSample;
    std::chrono::nanoseconds m_firstSampleDelay{0};
};

} // namespace pemrix
