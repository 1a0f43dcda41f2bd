#pragma once

#include "adapter/bus/BusClock.h"

namespace pemrix {

// Time that passes only when someone waits.
class VirtualBusClock : public BusClock
{
public:
    std::chrono::nanoseconds Now() const override { return m_now; }
    void Wait(std::chrono::nanoseconds duration) override;

private:
    std::chrono::nanoseconds m_now{0};
};

} // namespace pemrix
