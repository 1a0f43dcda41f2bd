#include "CommandProgress.h"

namespace pemrix {

namespace {

std::optional<std::uint32_t> Known(std::int64_t value, std::int64_t none)
{
    if (value == none)
        return std::nullopt;
    return static_cast<std::uint32_t>(value);
}

} // namespace

bool CommandProgress::BeforeWord(std::uint32_t address, std::uint32_t words)
{
    // Address 0 after earlier reports is the first word of the command's next request.
    if (address == 0 && m_nDone != kNone)
        m_nEarlierWords += m_nRequestWords;
    m_nRequestWords = words;
    m_nDone = static_cast<std::int64_t>(m_nEarlierWords) + address;
    if (!m_bStopRequested)
        return true;
    m_nStoppedAt = address;
    return false;
}

std::optional<std::uint32_t> CommandProgress::WordsDone() const
{
    return Known(m_nDone, kNone);
}

std::optional<std::uint32_t> CommandProgress::StoppedAt() const
{
    return Known(m_nStoppedAt, kNone);
}

} // namespace pemrix
