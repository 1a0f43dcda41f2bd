#include "SystemClock.h"

namespace pemrix {

std::time_t SystemClock::Now() const
{
    return std::time(nullptr);
}

} // namespace pemrix
