#pragma once

#include "adapter/bus/PartClass.h"

#include <chrono>

namespace pemrix {

// How the bus clocks the chip and what it demands of DO. The defaults suit the slowest 93Cxx
// parts, the 250 kHz ones: their clock, their 1 us chip-select low time, and programming
// timeouts well beyond their longest cycles; BusTimingFor gives those of a faster class.
struct BusTiming
{
    // The parts the clock and chip-select times below keep to.
    PartClass partClass = PartClass::Any;
    std::chrono::nanoseconds halfPeriod = std::chrono::microseconds(2);
    std::chrono::nanoseconds chipSelectLow = std::chrono::microseconds(1);
    std::chrono::nanoseconds pollInterval = std::chrono::microseconds(10);
    std::chrono::nanoseconds wordProgramTimeout = std::chrono::milliseconds(50);
    std::chrono::nanoseconds chipProgramTimeout = std::chrono::milliseconds(250);
    // Judge a read by its dummy 0 alone, for a cable without a pull-up on DO: DO is then not
    // required to read high where the chip leaves it undriven, so an empty socket or a chip
    // still programming can no longer be told from a chip holding 0000.
    bool dummyBitCheckOnly = false;
    // WriteAll programs every word, not only those the chip does not hold already, for a user
    // who wants every cell refreshed at the cost of a cycle each.
    bool rewriteEqualWords = false;
};

} // namespace pemrix
