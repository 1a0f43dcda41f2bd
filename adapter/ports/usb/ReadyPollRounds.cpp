#include "adapter/ports/usb/ReadyPollRounds.h"

#include <algorithm>

namespace pemrix {

ReadyPollRounds::ReadyPollRounds(unsigned fewest) : m_nFewest(fewest), m_nPolls(fewest) {}

bool ReadyPollRounds::Run(const BusStep& step, const BusClock& clock, const Round& round)
{
    const auto start = clock.Now();
    unsigned taken = 0;
    unsigned rounds = 0;
    while (true) {
        // Busy is only concluded from a round sent after the limit had passed.
        const bool expired = clock.Now() - start >= step.limit;
        const std::vector<bool> samples = round(rounds++ == 0 ? m_nPolls : m_nFewest);
        const auto high = std::find(samples.begin(), samples.end(), true);
        if (high != samples.end()) {
            const auto index = static_cast<unsigned>(taken + (high - samples.begin()));
            // A chip ready at the first poll ran no cycle to learn from. A first round that
            // spanned the cycle is trimmed to it and one poll more; one that fell short grows
            // by the polls after it and a short round for each round trip between rounds,
            // which the polls leave uncounted.
            if (rounds > 1)
                m_nPolls = index + (rounds - 1) * m_nFewest;
            else if (index > 0)
                m_nPolls = std::max(m_nFewest, index + 1);
            return true;
        }
        taken += static_cast<unsigned>(samples.size());
        if (expired)
            return false;
    }
}

std::vector<bool> TakeRoundSamples(std::vector<bool>& samples, std::size_t first, bool failed)
{
    if (failed)
        return {true};
    std::vector<bool> answers(samples.begin() + static_cast<long>(first), samples.end());
    samples.resize(first);
    return answers;
}

} // namespace pemrix
