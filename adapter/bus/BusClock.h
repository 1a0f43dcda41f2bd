#pragma once

#include <chrono>

namespace pemrix {

// Where the bus takes its time from: real time on hardware, virtual time on the simulated
// port, so simulated commands run at once.
class BusClock
{
public:
    virtual ~BusClock() = default;
    virtual std::chrono::nanoseconds Now() const = 0;
    virtual void Wait(std::chrono::nanoseconds duration) = 0;
};

} // namespace pemrix
