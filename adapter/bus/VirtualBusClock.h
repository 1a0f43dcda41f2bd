#pragma once

#include "adapter/bus/BusClock.h"

namespace pemrix {

// Time that passes only when someone waits; paced, each wait also takes real time in a set
// proportion, so a simulated command lasts as it would on hardware, or a fraction of that.
class VirtualBusClock : public BusClock
{
public:
    std::chrono::nanoseconds Now() const override { return m_now; }
    void Wait(std::chrono::nanoseconds duration) override;

    // From now on, `realPerVirtual` real seconds pass for every virtual one; 0 runs at once.
    void Pace(double realPerVirtual);

private:
    // When the virtual time reached so far is due in real time.
    std::chrono::steady_clock::time_point Due() const;

    std::chrono::nanoseconds m_now{0};
    double m_pace = 0;
    std::chrono::steady_clock::time_point m_realStart{};
    std::chrono::nanoseconds m_virtualStart{0};
};

} // namespace pemrix
