#include "adapter/ports/ch347/Ch347Exchanges.h"

#include "adapter/ports/ch347/Ch347Protocol.h"

#include <algorithm>
#include <utility>

namespace pemrix {

using namespace ch347;

namespace {

constexpr unsigned kStartAndOpcodeBits = 3;
// Start bit 1, opcode 10.
constexpr std::uint32_t kReadOpening = 0b110;

} // namespace

Ch347Exchanges::Ch347Exchanges(const BusTiming& timing, std::chrono::nanoseconds clockPeriod)
    : m_timing(timing), m_period(clockPeriod)
{
}

void Ch347Exchanges::Append(const BusStep& step)
{
    switch (step.kind) {
    case BusStep::Kind::Select:
        Select();
        break;
    case BusStep::Kind::ClockOut:
        if (m_selection == Selection::Opening && step.count == kStartAndOpcodeBits)
            m_selection = step.bits == kReadOpening ? Selection::Read : Selection::Other;
        for (unsigned i = step.count; i-- > 0;)
            Clock(((step.bits >> i) & 1) != 0, false);
        break;
    case BusStep::Kind::ClockIn:
        for (unsigned i = 0; i < step.count; ++i)
            Clock(false, true);
        break;
    case BusStep::Kind::Sample:
        WantNow();
        break;
    case BusStep::Kind::Deselect:
        Deselect();
        break;
    case BusStep::Kind::Wait:
        // Zeros clocked to a chip that is deselected or has not seen its start bit pass the
        // time without disturbing it.
        ZeroBytes(BytesSpanning(step.duration), false);
        break;
    case BusStep::Kind::PollUntilHigh:
        break;
    }
}

void Ch347Exchanges::Poll(unsigned polls, std::chrono::nanoseconds spacing)
{
    // Each poll is the last clock of its bytes, so polls are a whole number of bytes apart.
    const std::size_t bytes = std::max<std::size_t>(1, BytesSpanning(spacing));
    for (unsigned i = 0; i < polls; ++i)
        ZeroBytes(i == 0 ? 1 : bytes, true);
}

void Ch347Exchanges::Rest()
{
    m_frames.push_back(ChipSelectFrame(false));
    m_selection = Selection::Deselected;
}

void Ch347Exchanges::Select()
{
    m_frames.push_back(ChipSelectFrame(true));
    m_selection = Selection::Opening;
}

void Ch347Exchanges::Deselect()
{
    if (m_selection == Selection::Read) {
        SendRead();
    } else if (!m_kept.empty()) {
        std::vector<bool> padded((8 - m_kept.size() % 8) % 8, false);
        padded.insert(padded.end(), m_kept.begin(), m_kept.end());
        m_kept.clear();
        Exchange(padded);
    }
    m_frames.push_back(ChipSelectFrame(false));
    m_selection = Selection::Deselected;
    m_nNext = m_nSent;
    // CS stays low for tCS while zeros are clocked to a deselected chip, which ignores them.
    ZeroBytes(BytesSpanning(m_timing.chipSelectLow), false);
}

void Ch347Exchanges::Clock(bool dataIn, bool sampled)
{
    // A clock sent already as read-ahead carried DI low, as a READ's data clocks do.
    if (m_selection != Selection::Read || m_nNext >= m_nSent + m_kept.size())
        m_kept.push_back(dataIn);
    ++m_nNext;
    if (sampled)
        WantNow();
}

void Ch347Exchanges::WantNow()
{
    if (m_selection == Selection::Read) {
        m_wanted.push_back(m_nNext);
        return;
    }
    // Deselected, DO idles as its pull-up holds it; selected before the start bit, it shows
    // ready or busy. Either way a byte of zeros takes it without disturbing the chip.
    ZeroBytes(1, true);
}

void Ch347Exchanges::ZeroBytes(std::size_t count, bool wanted)
{
    if (count == 0)
        return;
    Exchange(std::vector<bool>(count * 8, false));
    if (wanted)
        m_wanted.push_back(m_nSent - 1);
    if (m_selection != Selection::Read)
        m_nNext = m_nSent;
}

void Ch347Exchanges::SendRead()
{
    std::uint64_t end = m_nSent + m_kept.size();
    for (const std::uint64_t clock : m_wanted)
        end = std::max(end, clock + 1);
    if (end == m_nSent)
        return;
    const std::uint64_t bits = end - m_nSent;
    m_kept.resize(static_cast<std::size_t>((bits + 7) / 8 * 8), false);
    std::vector<bool> bytes;
    bytes.swap(m_kept);
    Exchange(bytes);
}

void Ch347Exchanges::Exchange(const std::vector<bool>& bits)
{
    for (std::size_t first = 0; first < bits.size(); first += kMostExchangeBytes * 8) {
        const std::size_t end = std::min(bits.size(), first + kMostExchangeBytes * 8);
        std::vector<std::uint8_t> payload((end - first) / 8, 0);
        for (std::size_t i = first; i < end; ++i) {
            if (bits[i])
                payload[(i - first) / 8] |= static_cast<std::uint8_t>(0x80 >> ((i - first) % 8));
        }
        m_answers.push_back(payload.size());
        m_frames.push_back(Frame(kWriteRead, payload));
    }
    m_nSent += bits.size();
}

std::size_t Ch347Exchanges::BytesSpanning(std::chrono::nanoseconds duration) const
{
    const std::chrono::nanoseconds byteTime = m_period * 8;
    return static_cast<std::size_t>((duration.count() + byteTime.count() - 1) / byteTime.count());
}

std::vector<std::vector<std::uint8_t>> Ch347Exchanges::TakeFrames()
{
    if (m_selection == Selection::Read)
        SendRead();
    return std::exchange(m_frames, {});
}

void Ch347Exchanges::Resolve(const std::vector<std::uint8_t>& answered, std::vector<bool>& samples)
{
    const auto heard = [&](std::uint64_t clock) {
        if (clock < m_nBatchStart)
            return static_cast<bool>(m_ahead[static_cast<std::size_t>(clock - m_nAheadStart)]);
        const std::uint64_t bit = clock - m_nBatchStart;
        return (answered[static_cast<std::size_t>(bit / 8)] & (0x80 >> (bit % 8))) != 0;
    };
    for (const std::uint64_t clock : m_wanted)
        samples.push_back(heard(clock));
    // The clocks sent past the bus's next one are the read's next samples.
    std::vector<bool> ahead;
    for (std::uint64_t clock = std::max(m_nNext, m_nBatchStart); clock < m_nSent; ++clock)
        ahead.push_back(heard(clock));
    if (m_nNext < m_nBatchStart && m_nNext >= m_nAheadStart) {
        std::vector<bool> earlier(m_ahead.begin() + static_cast<long>(m_nNext - m_nAheadStart),
                                  m_ahead.end());
        ahead.insert(ahead.begin(), earlier.begin(), earlier.end());
    }
    m_nAheadStart = std::min(m_nNext, m_nSent);
    m_ahead = std::move(ahead);
    m_nBatchStart = m_nSent;
    m_wanted.clear();
    m_answers.clear();
}

void Ch347Exchanges::Clear()
{
    m_frames.clear();
    m_answers.clear();
    m_wanted.clear();
    m_kept.clear();
    m_ahead.clear();
    m_nBatchStart = m_nAheadStart = m_nNext = m_nSent;
    if (m_selection == Selection::Read)
        m_selection = Selection::Other;
}

} // namespace pemrix
