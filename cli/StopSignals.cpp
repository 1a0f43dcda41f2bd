#include "StopSignals.h"

#include <array>
#include <atomic>
#include <csignal>

namespace pemrix {

namespace {

constexpr std::array<int, 2> kStopSignals{SIGINT, SIGTERM};

std::atomic<int> g_received{0};
std::array<struct sigaction, kStopSignals.size()> g_former{};

extern "C" void OnStopSignal(int signal)
{
    int none = 0;
    if (g_received.compare_exchange_strong(none, signal))
        return;
    // The second: end now, as the signal's own handling would.
    struct sigaction plain
    {
    };
    plain.sa_handler = SIG_DFL;
    ::sigaction(signal, &plain, nullptr);
    ::raise(signal);
}

} // namespace

StopSignals::StopSignals()
{
    g_received = 0;
    struct sigaction handling
    {
    };
    handling.sa_handler = OnStopSignal;
    sigemptyset(&handling.sa_mask);
    // Interrupted calls are resumed, so a stop request never turns into a failed transfer.
    handling.sa_flags = SA_RESTART;
    for (std::size_t i = 0; i < kStopSignals.size(); ++i)
        ::sigaction(kStopSignals[i], &handling, &g_former[i]);
}

StopSignals::~StopSignals()
{
    for (std::size_t i = 0; i < kStopSignals.size(); ++i)
        ::sigaction(kStopSignals[i], &g_former[i], nullptr);
}

int StopSignals::Received()
{
    return g_received;
}

} // namespace pemrix
