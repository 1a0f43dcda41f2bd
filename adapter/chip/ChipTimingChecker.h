#pragma once

#include "adapter/bus/BusClock.h"
#include "adapter/chip/ChipTiming.h"

#include <chrono>
#include <optional>
#include <string>
#include <vector>

namespace pemrix {

// Watches a chip's pins on the bus clock and notes every change or DO sample that breaks a
// figure of its part class's ChipTimingLimits, so a bus that is too quick anywhere fails its
// tests.
class ChipTimingChecker
{
public:
    // What the chip drives on DO when it is sampled.
    enum class Output
    {
        Undriven,
        ReadBit,
        Status,
    };

    explicit ChipTimingChecker(const BusClock& clock, PartClass partClass = PartClass::Any);

    // The new levels of CS, SK and DI; false when the change breaks a rule.
    bool Drive(bool chipSelect, bool clock, bool dataIn);
    // A DO sample while the chip drives `output`; false when it comes before DO is valid.
    bool Sample(Output output);

    // One line per broken rule, with its figure and the time it happened.
    const std::vector<std::string>& Violations() const { return m_violations; }

private:
    using Time = std::chrono::nanoseconds;

    bool Check(TimingRule rule, std::optional<Time> since, Time now);
    void Flag(TimingRule rule, const std::string& what, Time now);

    const BusClock& m_clock;
    PartClass m_partClass;
    bool m_bChipSelect = false;
    bool m_bClock = false;
    bool m_bDataIn = false;
    std::optional<Time> m_chipSelectRose;
    std::optional<Time> m_chipSelectFell;
    std::optional<Time> m_clockRose;
    std::optional<Time> m_clockFell;
    std::optional<Time> m_dataInChanged;
    std::vector<std::string> m_violations;
};

} // namespace pemrix
