#pragma once

#include "adapter/bus/LinePort.h"
#include "adapter/chip/MicrowireChip.h"

#include <cstdint>

namespace pemrix {

// What the bus did to a port: SK rising edges, flushes and DO reads.
struct LinePortCounters
{
    std::uint64_t clocks = 0;
    std::uint64_t flushes = 0;
    std::uint64_t reads = 0;
};

// A line port wired straight to a simulated chip's pins.
class SimulatedLinePort : public LinePort
{
public:
    explicit SimulatedLinePort(MicrowireChip& chip);

    void SetLine(DriveLine line, bool level) override;
    void Flush() override;
    bool ReadDataOut() override;

    const LinePortCounters& Counters() const { return m_counters; }
    void ResetCounters() { m_counters = {}; }

private:
    MicrowireChip& m_chip;
    bool m_bChipSelect = false;
    bool m_bClock = false;
    bool m_bDataIn = false;
    bool m_bClockOnWire = false;
    LinePortCounters m_counters;
};

} // namespace pemrix
