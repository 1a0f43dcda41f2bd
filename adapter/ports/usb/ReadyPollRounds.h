#pragma once

#include "adapter/bus/BusClock.h"
#include "adapter/bus/BusTransaction.h"

#include <functional>
#include <vector>

namespace pemrix {

// Carries out a PollUntilHigh step on a port that sends its polls in batches, one batch a
// round: the first round goes out with whatever the port kept (the instruction's rest, the
// first ready poll), and short rounds follow until DO reads high or the step's limit has
// passed. How many polls the last cycle took is learnt, so that the first round of the next
// one spans it and a word's cycle costs one batch rather than one per poll; the polls of a
// round after the chip shows ready only cost the batch their time, never a result.
class ReadyPollRounds
{
public:
    // Sends `polls` polls, the first at once and the rest a cadence apart, and answers their
    // samples; a port that has failed answers one high sample.
    using Round = std::function<std::vector<bool>(unsigned polls)>;

    // `fewest`: the polls of a first round before anything is learnt, and of every later one.
    explicit ReadyPollRounds(unsigned fewest);

    bool Run(const BusStep& step, const BusClock& clock, const Round& round);

private:
    unsigned m_nFewest;
    unsigned m_nPolls;
};

// For a port that appends a round's samples to those of its transaction: the samples from
// `first` on, taken out of `samples`; one high sample where the port failed.
std::vector<bool> TakeRoundSamples(std::vector<bool>& samples, std::size_t first, bool failed);

} // namespace pemrix
