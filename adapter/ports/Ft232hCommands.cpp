#include "adapter/ports/Ft232hCommands.h"

#include <algorithm>

namespace pemrix {

using namespace mpsse;

namespace {

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
    m_bytes.insert(m_bytes.end(),
                   {kDivideBy5Off, kAdaptiveClockOff, kThreePhaseOff, kLoopbackOff, kSetDivisor,
                    static_cast<std::uint8_t>(divisor & 0xFF), static_cast<std::uint8_t>(divisor >> 8)});
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
        ClockOut(step.bits, step.count);
        break;
    case BusStep::Kind::ClockIn:
        DataInLow();
        ClockIn(step.count);
        break;
    case BusStep::Kind::Sample:
        DataInLow();
        m_bytes.push_back(kReadLowPins);
        m_replies.push_back({0, true});
        ++m_nReplyBytes;
        break;
    case BusStep::Kind::Deselect: {
        SetPins(0);
        // Clocks with CS low hold it low without reaching the chip: whole periods enough for tCS.
        const auto period = 2 * m_timing.halfPeriod.count();
        const auto clocks = std::clamp<long long>((m_timing.chipSelectLow.count() + period - 1) /
                                                      std::max<long long>(period, 1),
                                                  1, 8);
        m_bytes.insert(m_bytes.end(), {kClockBits, static_cast<std::uint8_t>(clocks - 1)});
        break;
    }
    case BusStep::Kind::Wait:
        break;
    }
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

void Ft232hCommands::ClockOut(std::uint32_t bits, unsigned count)
{
    while (count > 0) {
        const unsigned chunk = std::min(count, 8u);
        count -= chunk;
        const auto value = static_cast<std::uint8_t>(((bits >> count) & ((1u << chunk) - 1))
                                                     << (8 - chunk));
        m_bytes.insert(m_bytes.end(),
                       {kBitsOutFalling, static_cast<std::uint8_t>(chunk - 1), value});
        // DI stays at the last bit sent.
        const bool last = (value & (1u << (8 - chunk))) != 0;
        m_nPins = static_cast<std::uint8_t>(last ? (m_nPins | kDataInPin) : (m_nPins & ~kDataInPin));
    }
}

void Ft232hCommands::ClockIn(unsigned count)
{
    unsigned bytes = count / 8;
    while (bytes > 0) {
        const unsigned chunk = std::min(bytes, kMaxBytesPerRead);
        bytes -= chunk;
        m_bytes.insert(m_bytes.end(), {kBytesInFalling, static_cast<std::uint8_t>((chunk - 1) & 0xFF),
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
