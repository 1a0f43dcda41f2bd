#include "adapter/ports/ft232h/Ft232hSimulation.h"

#include "adapter/ports/ft232h/FtdiCalls.h"
#include "adapter/ports/ft232h/Ft232hCommands.h"

#include <algorithm>

namespace pemrix {

using namespace mpsse;

namespace {

// libftdi sends a write in chunks of this many bytes, one USB transfer each.
constexpr std::size_t kWriteChunk = 4096;

} // namespace

int Ft232hSimulation::SetBitMode(std::uint8_t outputs, std::uint8_t mode)
{
    if (!Plugged())
        return kUsbErrorNoDevice;
    m_bMpsse = mode == kFtdiBitModeMpsse;
    m_nDirections = outputs;
    m_pending.clear();
    return kUsbSuccess;
}

int Ft232hSimulation::PurgeBuffers()
{
    if (!Plugged())
        return kUsbErrorNoDevice;
    m_replies.clear();
    return kUsbSuccess;
}

std::size_t Ft232hSimulation::Chunks(std::size_t bytes)
{
    return std::max<std::size_t>(1, (bytes + kWriteChunk - 1) / kWriteChunk);
}

int Ft232hSimulation::Write(std::span<const std::uint8_t> bytes)
{
    RoundTrips(Chunks(bytes.size()));
    return Accept(bytes);
}

int Ft232hSimulation::Read(std::span<std::uint8_t> bytes)
{
    if (!Plugged())
        return kUsbErrorNoDevice;
    RoundTrips(1);
    return Deliver(bytes);
}

// The read waits in flight while the write goes out, so both share the write's round trips.
int Ft232hSimulation::Exchange(std::span<const std::uint8_t> out, std::span<std::uint8_t> in)
{
    RoundTrips(Chunks(out.size()));
    const int written = Accept(out);
    return written < 0 ? written : Deliver(in);
}

int Ft232hSimulation::Accept(std::span<const std::uint8_t> bytes)
{
    if (const int error = BeginOut(bytes.size()); error != 0)
        return error;
    Counters().outTransfers += Chunks(bytes.size()) - 1;
    if (!m_bMpsse)
        return static_cast<int>(bytes.size());
    m_pending.insert(m_pending.end(), bytes.begin(), bytes.end());
    while (RunCommand()) {
    }
    return static_cast<int>(bytes.size());
}

int Ft232hSimulation::Deliver(std::span<std::uint8_t> bytes)
{
    if (!Plugged())
        return kUsbErrorNoDevice;
    std::size_t count = std::min(bytes.size(), m_replies.size());
    const bool shortReply = count > 0 && NextReplyShort();
    if (count > 0 && ReplyLost()) {
        m_replies.clear();
        return kUsbErrorTimeout;
    }
    if (shortReply) {
        // The last byte is lost on the way.
        m_replies.pop_back();
        count = std::min(count, m_replies.size());
    }
    std::copy_n(m_replies.begin(), count, bytes.begin());
    m_replies.erase(m_replies.begin(), m_replies.begin() + static_cast<long>(count));
    Counters().inBytes += count;
    return static_cast<int>(count);
}

bool Ft232hSimulation::RunCommand()
{
    if (m_pending.empty())
        return false;
    const std::uint8_t opcode = m_pending[0];
    auto need = [&](std::size_t length) { return m_pending.size() >= length; };
    std::size_t used = 1;
    switch (opcode) {
    case kSetLowPins:
        if (!need(3))
            return false;
        SetPins(m_pending[1], m_pending[2]);
        used = 3;
        break;
    case kReadLowPins:
        m_replies.push_back(static_cast<std::uint8_t>((m_nValue & m_nDirections & ~kDataOutPin) |
                                                      (Chip().DataOut() ? kDataOutPin : 0)));
        break;
    case kBitsOutFalling: {
        if (!need(3))
            return false;
        const unsigned bits = m_pending[1] + 1u;
        for (unsigned i = 0; i < bits && i < 8; ++i)
            ClockBit(((m_pending[2] >> (7 - i)) & 1) != 0);
        used = 3;
        break;
    }
    case kBytesInFalling: {
        if (!need(3))
            return false;
        const unsigned count = (m_pending[1] | (unsigned{m_pending[2]} << 8)) + 1u;
        for (unsigned byte = 0; byte < count; ++byte) {
            std::uint8_t value = 0;
            for (unsigned i = 0; i < 8; ++i)
                value = static_cast<std::uint8_t>((value << 1) | (ClockBit(std::nullopt) ? 1 : 0));
            m_replies.push_back(value);
        }
        used = 3;
        break;
    }
    case kBitsInFalling: {
        if (!need(2))
            return false;
        std::uint8_t value = 0;
        for (unsigned i = 0; i <= m_pending[1] && i < 8; ++i)
            value = static_cast<std::uint8_t>((value << 1) | (ClockBit(std::nullopt) ? 1 : 0));
        m_replies.push_back(value);
        used = 2;
        break;
    }
    case kClockBits:
        if (!need(2))
            return false;
        for (unsigned i = 0; i <= m_pending[1] && i < 8; ++i)
            ClockBit(std::nullopt);
        used = 2;
        break;
    case kClockBytes: {
        if (!need(3))
            return false;
        const unsigned units = (m_pending[1] | (unsigned{m_pending[2]} << 8)) + 1u;
        for (unsigned i = 0; i < 8 * units; ++i)
            ClockBit(std::nullopt);
        used = 3;
        break;
    }
    case kSetDivisor:
        if (!need(3))
            return false;
        m_nDivisor = static_cast<std::uint16_t>(m_pending[1] | (m_pending[2] << 8));
        used = 3;
        break;
    case kDivideBy5Off:
        m_bDivideBy5 = false;
        break;
    case kAdaptiveClockOff:
    case kThreePhaseOff:
    case kLoopbackOff:
    case kSendImmediate:
        break;
    default:
        if (opcode != kSyncCommand)
            ++m_nUnknown;
        m_replies.push_back(kBadCommandReply);
        m_replies.push_back(opcode);
        break;
    }
    m_pending.erase(m_pending.begin(), m_pending.begin() + static_cast<long>(used));
    return true;
}

void Ft232hSimulation::SetPins(std::uint8_t value, std::uint8_t directions)
{
    m_nValue = value;
    m_nDirections = directions;
    Drive();
}

void Ft232hSimulation::Drive()
{
    const std::uint8_t driven = m_nValue & m_nDirections;
    Chip().Drive((driven & kChipSelectPin) != 0, (driven & kClockPin) != 0,
                 (driven & kDataInPin) != 0);
}

// One clock: DI (when written) changes while SK is low, SK rises a half period later, DO is
// taken as SK falls another half period later. Answers that DO level.
bool Ft232hSimulation::ClockBit(std::optional<bool> dataIn)
{
    if (dataIn)
        m_nValue =
            static_cast<std::uint8_t>(*dataIn ? (m_nValue | kDataInPin) : (m_nValue & ~kDataInPin));
    Drive();
    HalfPeriod();
    m_nValue |= kClockPin;
    Drive();
    HalfPeriod();
    const bool dataOut = Chip().DataOut();
    m_nValue = static_cast<std::uint8_t>(m_nValue & ~kClockPin);
    Drive();
    return dataOut;
}

void Ft232hSimulation::HalfPeriod()
{
    const unsigned base = m_bDivideBy5 ? kBaseClockHz / 5 : kBaseClockHz;
    const long long ticks = m_nDivisor + 1LL;
    Clock().Wait(std::chrono::nanoseconds(ticks * 1'000'000'000LL / base));
}

} // namespace pemrix
