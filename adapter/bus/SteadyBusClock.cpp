#include "adapter/bus/SteadyBusClock.h"

namespace pemrix {

std::chrono::nanoseconds SteadyBusClock::Now() const
{
    return std::chrono::steady_clock::now().time_since_epoch();
}

void SteadyBusClock::Wait(std::chrono::nanoseconds duration)
{
    const std::chrono::nanoseconds until = Now() + duration;
    while (Now() < until) {
    }
}

} // namespace pemrix
