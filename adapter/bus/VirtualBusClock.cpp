#include "adapter/bus/VirtualBusClock.h"

namespace pemrix {

void VirtualBusClock::Wait(std::chrono::nanoseconds duration)
{
    if (duration > std::chrono::nanoseconds::zero())
        m_now += duration;
}

} // namespace pemrix
