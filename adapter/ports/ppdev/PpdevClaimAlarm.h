#pragma once

#include <signal.h>
#include <time.h>
#include <chrono>

namespace pemrix {

// Cuts a sleeping PPCLAIM short: once `patience` has passed it sends the calling thread a
// signal whose handler does nothing, and again every millisecond until it is destroyed, so
// an alarm that lands just before the kernel starts sleeping is followed by one that wakes
// it. ppdev answers the interrupted claim with EINTR; the handler is installed with
// SA_RESTART, so any other call a late alarm lands in carries on as if nothing happened.
class PpdevClaimAlarm
{
public:
    explicit PpdevClaimAlarm(std::chrono::nanoseconds patience);
    ~PpdevClaimAlarm();
    PpdevClaimAlarm(const PpdevClaimAlarm&) = delete;
    PpdevClaimAlarm& operator=(const PpdevClaimAlarm&) = delete;

    // 0, or the errno of the call that kept the alarm from being set.
    int Error() const { return m_nError; }

private:
    timer_t m_timer{};
    bool m_bTimerMade = false;
    bool m_bMaskChanged = false;
    sigset_t m_previousMask{};
    int m_nError = 0;
};

} // namespace pemrix
