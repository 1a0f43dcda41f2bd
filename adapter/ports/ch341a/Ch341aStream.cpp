#include "adapter/ports/ch341a/Ch341aStream.h"

namespace pemrix {

using namespace ch341a;

Ch341aStream::Ch341aStream(const BusTiming& timing) : m_timing(timing) {}

void Ch341aStream::Append(const BusStep& step)
{
    const bool chipSelect = (m_nPins & kChipSelectPin) != 0;
    switch (step.kind) {
    case BusStep::Kind::Select:
        Drive(true, false, false);
        HalfPeriod();
        break;
    case BusStep::Kind::ClockOut:
        // DI changes with the falling edge, a half period clear of the rising edge that takes it.
        for (unsigned i = step.count; i-- > 0;) {
            ClockLowWithDataIn(((step.bits >> i) & 1) != 0);
            Drive(chipSelect, true, (m_nPins & kDataInPin) != 0);
            HalfPeriod();
        }
        break;
    case BusStep::Kind::ClockIn:
        for (unsigned i = 0; i < step.count; ++i) {
            ClockLowWithDataIn(false);
            Drive(chipSelect, true, false);
            HalfPeriod();
            Sample();
        }
        break;
    case BusStep::Kind::Sample:
        Poll(1, {});
        break;
    case BusStep::Kind::Deselect:
        if ((m_nPins & (kClockPin | kDataInPin)) != 0)
            Drive(chipSelect, false, false);
        Drive(false, false, false);
        Delay(m_timing.chipSelectLow);
        break;
    case BusStep::Kind::Wait:
        Delay(step.duration);
        break;
    case BusStep::Kind::PollUntilHigh:
        break;
    }
}

void Ch341aStream::Poll(unsigned polls, std::chrono::nanoseconds cadence)
{
    if ((m_nPins & (kClockPin | kDataInPin)) != 0) {
        Drive((m_nPins & kChipSelectPin) != 0, false, false);
        HalfPeriod();
    }
    for (unsigned i = 0; i < polls; ++i) {
        if (i > 0)
            Delay(cadence);
        Sample();
    }
}

void Ch341aStream::Rest()
{
    Drive(false, false, false);
    Command(kDirections | kOutputPins);
}

void Ch341aStream::Clear()
{
    m_packets.clear();
    m_nSamples = 0;
}

void Ch341aStream::ClockLowWithDataIn(bool dataIn)
{
    Drive((m_nPins & kChipSelectPin) != 0, false, dataIn);
    HalfPeriod();
}

void Ch341aStream::Drive(bool chipSelect, bool clock, bool dataIn)
{
    m_nPins = static_cast<std::uint8_t>((chipSelect ? kChipSelectPin : 0) |
                                        (clock ? kClockPin : 0) | (dataIn ? kDataInPin : 0));
    Command(static_cast<std::uint8_t>(kDrive | m_nPins));
}

void Ch341aStream::Delay(std::chrono::nanoseconds duration)
{
    // Rounded up: a wait is a minimum.
    auto microseconds = static_cast<unsigned>((duration.count() + 999) / 1000);
    while (microseconds > 0) {
        const unsigned step =
            microseconds < kMaxDelayMicroseconds ? microseconds : kMaxDelayMicroseconds;
        Command(static_cast<std::uint8_t>(kDelay | step));
        microseconds -= step;
    }
}

void Ch341aStream::Sample()
{
    Command(kSample);
    ++m_packets.back().samples;
    ++m_nSamples;
}

void Ch341aStream::Command(std::uint8_t command)
{
    // Every packet stays closed with 0x20, so a batch can go out after any command.
    if (m_packets.empty() || m_packets.back().bytes.size() == kPacketSize)
        m_packets.push_back({{kStreamCommand, kStreamEnd}, 0});
    std::vector<std::uint8_t>& bytes = m_packets.back().bytes;
    bytes.insert(bytes.end() - 1, command);
}

} // namespace pemrix
