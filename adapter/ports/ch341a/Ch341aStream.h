#pragma once

#include "adapter/bus/BusTiming.h"
#include "adapter/bus/BusTransaction.h"

#include <chrono>
#include <cstdint>
#include <vector>

namespace pemrix {

// The CH341A's UIO stream: each 32-byte packet is 0xAB, then commands, then 0x20. A command
// 0x80|v drives D5-D0, 0x40|m sets their directions (1 = output), 0x00 samples D7-D0 into one
// reply byte, 0xC0|n waits n microseconds.
namespace ch341a {
inline constexpr std::size_t kPacketSize = 32;
inline constexpr std::uint8_t kStreamCommand = 0xAB;
inline constexpr std::uint8_t kStreamEnd = 0x20;
inline constexpr std::uint8_t kDrive = 0x80;
inline constexpr std::uint8_t kDirections = 0x40;
inline constexpr std::uint8_t kSample = 0x00;
inline constexpr std::uint8_t kDelay = 0xC0;
inline constexpr unsigned kMaxDelayMicroseconds = 63;
// The 93xx adapter on the 25xx socket.
inline constexpr std::uint8_t kChipSelectPin = 1u << 0;
inline constexpr std::uint8_t kClockPin = 1u << 3;
inline constexpr std::uint8_t kDataInPin = 1u << 5;
inline constexpr std::uint8_t kDataOutPin = 1u << 7;
inline constexpr std::uint8_t kOutputPins = kChipSelectPin | kClockPin | kDataInPin;
} // namespace ch341a

// Turns bus steps into UIO stream packets, each filled with as many commands as fit; the
// lines' levels carry over from one batch to the next. Every level is held for at least the
// bus timing's half period before the next edge, and a gap between two packets only makes a
// level last longer.
class Ch341aStream
{
public:
    struct Packet
    {
        std::vector<std::uint8_t> bytes;
        unsigned samples = 0;
    };

    explicit Ch341aStream(const BusTiming& timing);

    // Every step but a Wait too long for the stream, which the port makes on the host, and a
    // PollUntilHigh, which the port sends as rounds of Poll.
    void Append(const BusStep& step);
    // `polls` DO samples with SK and DI low, the first at once, the rest `cadence` apart.
    void Poll(unsigned polls, std::chrono::nanoseconds cadence);
    // All lines low and made outputs, as the adapter is taken.
    void Rest();

    const std::vector<Packet>& Packets() const { return m_packets; }
    unsigned Samples() const { return m_nSamples; }
    bool Empty() const { return m_packets.empty(); }
    void Clear();

private:
    void Drive(bool chipSelect, bool clock, bool dataIn);
    void Delay(std::chrono::nanoseconds duration);
    void HalfPeriod() { Delay(m_timing.halfPeriod); }
    void Sample();
    void Command(std::uint8_t command);
    void ClockLowWithDataIn(bool dataIn);

    BusTiming m_timing;
    std::vector<Packet> m_packets;
    unsigned m_nSamples = 0;
    std::uint8_t m_nPins = 0;
};

} // namespace pemrix
