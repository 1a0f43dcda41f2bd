#include "adapter/ports/ppdev/PpdevClaimAlarm.h"

#include <pthread.h>
#include <unistd.h>
#include <cerrno>
#include <mutex>

namespace pemrix {

namespace {

using namespace std::chrono_literals;

// Neither Qt nor glibc uses the highest real-time signal.
int AlarmSignal()
{
    return SIGRTMAX;
}

void IgnoreAlarm(int) {}

int InstallHandlerOnce()
{
    static std::once_flag installed;
    static int error = 0;
    std::call_once(installed, [] {
        struct sigaction action
        {
        };
        action.sa_handler = IgnoreAlarm;
        action.sa_flags = SA_RESTART;
        sigemptyset(&action.sa_mask);
        if (::sigaction(AlarmSignal(), &action, nullptr) != 0)
            error = errno;
    });
    return error;
}

timespec ToTimespec(std::chrono::nanoseconds duration)
{
    const auto seconds = std::chrono::duration_cast<std::chrono::seconds>(duration);
    return {static_cast<time_t>(seconds.count()), static_cast<long>((duration - seconds).count())};
}

} // namespace

PpdevClaimAlarm::PpdevClaimAlarm(std::chrono::nanoseconds patience)
{
    m_nError = InstallHandlerOnce();
    if (m_nError != 0)
        return;
    // A thread that blocks the signal could never be woken, so it is let through meanwhile.
    sigset_t alarmOnly;
    sigemptyset(&alarmOnly);
    sigaddset(&alarmOnly, AlarmSignal());
    m_bMaskChanged = ::pthread_sigmask(SIG_UNBLOCK, &alarmOnly, &m_previousMask) == 0;

    sigevent event{};
    event.sigev_notify = SIGEV_THREAD_ID;
    event.sigev_signo = AlarmSignal();
    event._sigev_un._tid = ::gettid();
    if (::timer_create(CLOCK_MONOTONIC, &event, &m_timer) != 0) {
        m_nError = errno;
        return;
    }
    m_bTimerMade = true;
    // A zero it_value would disarm the timer instead of firing it at once.
    const itimerspec when{ToTimespec(1ms), ToTimespec(patience > 0ns ? patience : 1ns)};
    if (::timer_settime(m_timer, 0, &when, nullptr) != 0)
        m_nError = errno;
}

PpdevClaimAlarm::~PpdevClaimAlarm()
{
    if (m_bTimerMade)
        ::timer_delete(m_timer);
    if (m_bMaskChanged)
        ::pthread_sigmask(SIG_SETMASK, &m_previousMask, nullptr);
}

} // namespace pemrix
