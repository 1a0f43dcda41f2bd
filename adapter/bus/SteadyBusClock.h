#pragma once

#include "adapter/bus/BusClock.h"

namespace pemrix {

// Real time for the hardware port. Waits are a few microseconds, far below what the
// scheduler can sleep, so they spin.
class SteadyBusClock : public BusClock
{
public:
    std::chrono::nanoseconds Now() const override;
    void Wait(std::chrono::nanoseconds duration) override;
};

} // namespace pemrix
