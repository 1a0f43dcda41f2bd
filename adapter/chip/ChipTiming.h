#pragma once

#include "adapter/bus/BusTiming.h"
#include "adapter/bus/PartClass.h"

#include <chrono>
#include <span>
#include <string_view>

namespace pemrix {

// The timing rules of the Microwire pins that the chip model checks.
enum class TimingRule
{
    ChipSelectSetup,
    ChipSelectHold,
    ChipSelectLow,
    DataInSetup,
    DataInHold,
    ClockHigh,
    ClockLow,
    ClockPeriod,
    OutputDelay,
    StatusValid,
    // Not a pin rule: the shortest self-timed programming cycle any part runs, against which
    // the bus judges a chip that shows ready at its first poll.
    ProgramCycle,
};

// One datasheet figure: a minimum the bus must keep, or a maximum the chip may take before
// its output is valid (and so the least time the bus must wait before sampling it).
struct TimingLimit
{
    TimingRule rule;
    std::string_view symbol;
    std::string_view meaning;
    std::chrono::nanoseconds figure;
    std::string_view source;
};

// The figures of the class's slowest parts, in rule order. Those of PartClass::Any let a bus
// clock any of the six types at any supply voltage they accept.
std::span<const TimingLimit> ChipTimingLimits(PartClass partClass = PartClass::Any);
const TimingLimit& ChipTimingLimit(TimingRule rule, PartClass partClass = PartClass::Any);

// The bus timing that keeps the class's figures, as fast as they allow.
BusTiming BusTimingFor(PartClass partClass);

} // namespace pemrix
