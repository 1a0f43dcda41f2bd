#include "adapter/bus/VirtualBusClock.h"

#include <thread>

namespace pemrix {

namespace {

// Shorter lags are gathered up rather than slept one by one: the bus waits a few
// microseconds at a time, far below what a sleep can keep to.
constexpr std::chrono::milliseconds kLeastSleep{1};

} // namespace

void VirtualBusClock::Wait(std::chrono::nanoseconds duration)
{
    if (duration > std::chrono::nanoseconds::zero())
        m_now += duration;
    if (m_pace <= 0)
        return;
    const auto due = m_realStart + std::chrono::duration_cast<std::chrono::steady_clock::duration>(
                                       (m_now - m_virtualStart) * m_pace);
    if (due - std::chrono::steady_clock::now() >= kLeastSleep)
        std::this_thread::sleep_until(due);
}

void VirtualBusClock::Pace(double realPerVirtual)
{
    m_pace = realPerVirtual;
    m_realStart = std::chrono::steady_clock::now();
    m_virtualStart = m_now;
}

} // namespace pemrix
