#pragma once

namespace pemrix {

// While one lives, the first SIGINT or SIGTERM asks the running chip command to stop at its
// next word, as the window's Stop does, so the chip is left write-disabled with the words
// already written kept; a second one ends the program at once. The signals' former handling
// comes back with its end.
class StopSignals
{
public:
    StopSignals();
    ~StopSignals();
    StopSignals(const StopSignals&) = delete;
    StopSignals& operator=(const StopSignals&) = delete;

    // The first stop signal received, or 0.
    static int Received();
};

} // namespace pemrix
