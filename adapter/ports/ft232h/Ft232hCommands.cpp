#include "adapter/ports/ft232h/Ft232hCommands.h"

#include <algorithm>

namespace pemrix {

using namespace mpsse;

namespace {

// The longest byte-length command: reads, and clocks in units of 8.
constexpr unsigned kMaxBytesPerRead = 65536;

} // namespace

Ft232hCommands::Ft232hCommands(const BusTiming& timing) : m_timing(timing) {}

std::uint16_t Ft232hCommands::ClockDivisor(const BusTiming& timing)
{
    // The half period is (1 + d) / 60 MHz; rounding up keeps it at least as long as asked.
    const long long ticks = (timing.halfPeriod.count() * (kBaseClockHz / 1'000'000) + 999) / 1000;
    return static_cast<std::uint16_t>(std::clamp(ticks - 1, 0LL, 0xFFFFLL));
}

void Ft232hCommands::Setup()
{
    const std::uint16_t divisor = ClockDivisor(m_timing);
    m_bytes.insert(m_bytes.end(), {kDivideBy5Off, kAdaptiveClockOff, kThreePhaseOff, kLoopbackOff,
                                   kSetDivisor, static_cast<std::uint8_t>(divisor & 0xFF),
                                   static_cast<std::uint8_t>(divisor >> 8)});
    SetPins(0);
}

void Ft232hCommands::Append(const BusStep& step)
{
    switch (step.kind) {
    case BusStep::Kind::Select:
        // The clock command that follows holds SK low for a half period first: that is tCSS.
        SetPins(kChipSelectPin);
        break;
    case BusStep::Kind::ClockOut:
        m_bInstruction = true;
        ClockOut(step.bits, step.count);
        break;
    case BusStep::Kind::ClockIn:
        m_bInstruction = true;
        DataInLow();
        ClockIn(step.count);
        break;
    case BusStep::Kind::Sample:
        Poll(1, 0);
        break;
    case BusStep::Kind::Deselect:
        SetPins(0);
        m_bInstruction = false;
        // Clocks with CS low hold it low without reaching the chip: whole periods enough for tCS.
        Clocks(std::max(1u, ClocksFor(m_timing.chipSelectLow)));
        break;
    case BusStep::Kind::Wait:
        DataInLow();
        Clocks(ClocksFor(step.duration));
        break;
    case BusStep::Kind::PollUntilHigh:
        break;
    }
}

void Ft232hCommands::Poll(unsigned polls, unsigned cadence)
{
    DataInLow();
    for (unsigned i = 0; i < polls; ++i) {
        if (i > 0)
            Clocks(cadence);
        ReadPins();
    }
}

unsigned Ft232hCommands::ClocksFor(std::chrono::nanoseconds duration) const
{
    const long long period = std::max<long long>(2 * m_timing.halfPeriod.count(), 1);
    return static_cast<unsigned>((duration.count() + period - 1) / period);
}

std::size_t Ft232hCommands::SampleCount() const
{
    std::size_t samples = 0;
    for (const ReplyByte& reply : m_replies)
        samples += reply.pins ? 1 : reply.bits;
    return samples;
}

std::vector<bool> Ft232hCommands::Samples(const std::vector<std::uint8_t>& reply) const
{
    std::vector<bool> samples;
    for (std::size_t i = 0; i < m_replies.size() && i < reply.size(); ++i) {
        if (m_replies[i].pins) {
            samples.push_back((reply[i] & kDataOutPin) != 0);
            continue;
        }
        for (unsigned bit = m_replies[i].bits; bit-- > 0;)
            samples.push_back(((reply[i] >> bit) & 1) != 0);
    }
    return samples;
}

void Ft232hCommands::Clear()
{
    m_bytes.clear();
    m_replies.clear();
    m_nReplyBytes = 0;
}

void Ft232hCommands::SetPins(std::uint8_t pins)
{
    m_nPins = pins;
    m_bytes.insert(m_bytes.end(), {kSetLowPins, pins, kOutputPins});
}

void Ft232hCommands::DataInLow()
{
    if ((m_nPins & kDataInPin) != 0)
        SetPins(static_cast<std::uint8_t>(m_nPins & ~kDataInPin));
}

void Ft232hCommands::ReadPins()
{
    m_bytes.push_back(kReadLowPins);
    m_replies.push_back({0, true});
    ++m_nReplyBytes;
}

void Ft232hCommands::Clocks(unsigned count)
{
    for (unsigned units = count / 8; units > 0;) {
        const unsigned chunk = std::min(units, kMaxBytesPerRead);
        units -= chunk;
        m_bytes.insert(m_bytes.end(), {kClockBytes, static_cast<std::uint8_t>((chunk - 1) & 0xFF),
                                       static_cast<std::uint8_t>((chunk - 1) >> 8)});
    }
    if (const unsigned rest = count % 8; rest > 0)
        m_bytes.insert(m_bytes.end(), {kClockBits, static_cast<std::uint8_t>(rest - 1)});
}

void Ft232hCommands::ClockOut(std::uint32_t bits, unsigned count)
{
    while (count > 0) {
        const unsigned chunk = std::min(count, 8u);
        count -= chunk;
        const auto value =
            static_cast<std::uint8_t>(((bits >> count) & ((1u << chunk) - 1)) << (8 - chunk));
        m_bytes.insert(m_bytes.end(),
                       {kBitsOutFalling, static_cast<std::uint8_t>(chunk - 1), value});
        // DI stays at the last bit sent.
        const bool last = (value & (1u << (8 - chunk))) != 0;
        m_nPins =
            static_cast<std::uint8_t>(last ? (m_nPins | kDataInPin) : (m_nPins & ~kDataInPin));
    }
}

void Ft232hCommands::ClockIn(unsigned count)
{
    unsigned bytes = count / 8;
    while (bytes > 0) {
        const unsigned chunk = std::min(bytes, kMaxBytesPerRead);
        bytes -= chunk;
        m_bytes.insert(m_bytes.end(),
                       {kBytesInFalling, static_cast<std::uint8_t>((chunk - 1) & 0xFF),
                        static_cast<std::uint8_t>((chunk - 1) >> 8)});
        m_replies.insert(m_replies.end(), chunk, ReplyByte{8, false});
        m_nReplyBytes += chunk;
    }
    if (const unsigned rest = count % 8; rest > 0) {
        m_bytes.insert(m_bytes.end(), {kBitsInFalling, static_cast<std::uint8_t>(rest - 1)});
        m_replies.push_back({rest, false});
        ++m_nReplyBytes;
    }
}

} // namespace pemrix
