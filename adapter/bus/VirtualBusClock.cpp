#include "adapter/bus/VirtualBusClock.h"

#include <thread>

namespace pemrix {

namespace {

// Shorter lags are gathered up rather than slept one by one: the bus waits a few
// microseconds at a time, far below what a sleep can keep to.
constexpr std::chrono::milliseconds kLeastSleep{1};
// Further behind than this, the clock stood still between requests rather than lagging.
constexpr std::chrono::milliseconds kIdleGap{50};

} // namespace

void VirtualBusClock::Wait(std::chrono::nanoseconds duration)
{
    if (m_pace > 0) {
        // Real time that passed while nobody waited, between two requests, is not owed to the
        // waits that follow: they are paced from now on.
        const auto now = std::chrono::steady_clock::now();
        if (now - Due() > kIdleGap) {
            m_realStart = now;
            m_virtualStart = m_now;
        }
    }
    if (duration > std::chrono::nanoseconds::zero())
        m_now += duration;
    if (m_pace <= 0)
        return;
    const auto due = Due();
    if (due - std::chrono::steady_clock::now() >= kLeastSleep)
        std::this_thread::sleep_until(due);
}

std::chrono::steady_clock::time_point VirtualBusClock::Due() const
{
    return m_realStart + std::chrono::duration_cast<std::chrono::steady_clock::duration>(
                             (m_now - m_virtualStart) * m_pace);
}

void VirtualBusClock::Pace(double realPerVirtual)
{
    m_pace = realPerVirtual;
    m_realStart = std::chrono::steady_clock::now();
    m_virtualStart = m_now;
}

} // namespace pemrix
