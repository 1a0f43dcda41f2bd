#pragma once

#include "driver/DriverLink.h"

#include <atomic>
#include <cstdint>
#include <optional>

namespace pemrix {

// One chip command's progress as its driver reports it, and the user's wish to stop it. The
// driver reports on the thread that runs the requests while the window reads from its own.
class CommandProgress : public DriverProgress
{
public:
    // `wordsInAll`: how many words the command's requests move one by one, all together.
    explicit CommandProgress(std::uint32_t wordsInAll) : m_nWordsInAll(wordsInAll) {}

    bool BeforeWord(std::uint32_t address, std::uint32_t words) override;

    // Asks the driver to stop at the next word it reports.
    void RequestStop() { m_bStopRequested = true; }
    bool StopRequested() const { return m_bStopRequested; }

    // Words done over all the command's requests; nothing while the driver reported nothing.
    std::optional<std::uint32_t> WordsDone() const;
    std::uint32_t WordsInAll() const { return m_nWordsInAll; }
    // The address of the first word the driver left undone, once it stopped on request.
    std::optional<std::uint32_t> StoppedAt() const;

private:
    static constexpr std::int64_t kNone = -1;

    const std::uint32_t m_nWordsInAll;
    // Kept by the driver's thread alone: the words of the requests reported before this one.
    std::uint32_t m_nEarlierWords = 0;
    std::uint32_t m_nRequestWords = 0;
    std::atomic<std::int64_t> m_nDone{kNone};
    std::atomic<std::int64_t> m_nStoppedAt{kNone};
    std::atomic<bool> m_bStopRequested{false};
};

} // namespace pemrix
