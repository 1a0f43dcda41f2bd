#pragma once

#include <chrono>

namespace pemrix {

// The bus's delays. The defaults suit the slowest 93Cxx parts, the 250 kHz ones: their clock,
// their 1 us chip-select low time, and programming timeouts well beyond their longest
// cycles.
struct BusTiming
{
    std::chrono::nanoseconds halfPeriod = std::chrono::microseconds(2);
    std::chrono::nanoseconds chipSelectLow = std::chrono::microseconds(1);
    std::chrono::nanoseconds pollInterval = std::chrono::microseconds(10);
    std::chrono::nanoseconds wordProgramTimeout = std::chrono::milliseconds(50);
    std::chrono::nanoseconds chipProgramTimeout = std::chrono::milliseconds(250);
};

} // namespace pemrix
