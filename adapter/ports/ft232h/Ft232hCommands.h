#pragma once

#include "adapter/bus/BusTiming.h"
#include "adapter/bus/BusTransaction.h"

#include <chrono>
#include <cstdint>
#include <vector>

namespace pemrix {

// The MPSSE commands the FT232H port uses.
namespace mpsse {
inline constexpr std::uint8_t kSetLowPins = 0x80;     // value, directions
inline constexpr std::uint8_t kReadLowPins = 0x81;    // answers one byte
inline constexpr std::uint8_t kBitsOutFalling = 0x13; // length-1, data: top bits, MSB first
inline constexpr std::uint8_t kBytesInFalling = 0x24; // length-1 (2 bytes): sampled on falling SK
inline constexpr std::uint8_t kBitsInFalling = 0x26;  // length-1: answers the bits in the low end
inline constexpr std::uint8_t kClockBits = 0x8E;      // length-1: clocks with no data
inline constexpr std::uint8_t kClockBytes = 0x8F;     // length-1 (2 bytes): 8 clocks a unit
inline constexpr std::uint8_t kSendImmediate = 0x87;
inline constexpr std::uint8_t kDivideBy5Off = 0x8A;
inline constexpr std::uint8_t kAdaptiveClockOff = 0x97;
inline constexpr std::uint8_t kThreePhaseOff = 0x8D;
inline constexpr std::uint8_t kLoopbackOff = 0x85;
inline constexpr std::uint8_t kSetDivisor = 0x86; // low, high: SK = 60 MHz / ((1 + d) * 2)
inline constexpr std::uint8_t kBadCommandReply = 0xFA;
// An opcode the engine does not know; it answers kBadCommandReply and the opcode.
inline constexpr std::uint8_t kSyncCommand = 0xAA;
inline constexpr unsigned kBaseClockHz = 60'000'000;
// SK on AD0, DI on AD1, DO on AD2, CS on AD3 (active high).
inline constexpr std::uint8_t kClockPin = 1u << 0;
inline constexpr std::uint8_t kDataInPin = 1u << 1;
inline constexpr std::uint8_t kDataOutPin = 1u << 2;
inline constexpr std::uint8_t kChipSelectPin = 1u << 3;
inline constexpr std::uint8_t kOutputPins = kClockPin | kDataInPin | kChipSelectPin;
} // namespace mpsse

// Turns bus steps into MPSSE commands: bit-length clock-outs for instructions and data, byte
// reads (and a bit read for the rest) for DO, a pin read for a lone sample. SK idles low, DI
// changes on its falling edge and DO is taken on the falling edge too, a half period after
// the rising edge that brought it out.
class Ft232hCommands
{
public:
    explicit Ft232hCommands(const BusTiming& timing);

    // The divisor whose half period is the nearest at or above the bus timing's.
    static std::uint16_t ClockDivisor(const BusTiming& timing);
    // The engine set up for the bus: no divide-by-5, adaptive or three-phase clocking, no
    // loopback, the clock divisor, every line low.
    void Setup();
    // Every step but a PollUntilHigh, which the port sends as rounds of Poll. A Wait runs SK
    // with DI low, so the port makes only those on the engine that the chip ignores: with CS
    // low, or high before the start bit (ClockThroughWait).
    void Append(const BusStep& step);
    // `polls` pin reads with DI low, the first at once, the rest `cadence` clocks apart.
    void Poll(unsigned polls, unsigned cadence);
    // Whether SK may run now without reaching the chip: no instruction under way.
    bool ClockThroughWait() const { return !m_bInstruction; }
    // The clocks that span `duration` at the bus's clock, rounded up.
    unsigned ClocksFor(std::chrono::nanoseconds duration) const;

    const std::vector<std::uint8_t>& Bytes() const { return m_bytes; }
    // How many reply bytes the commands so far answer, and how many samples they hold.
    std::size_t ReplyBytes() const { return m_nReplyBytes; }
    std::size_t SampleCount() const;
    // The samples in reply order, read from the bytes the engine answered.
    std::vector<bool> Samples(const std::vector<std::uint8_t>& reply) const;
    bool Empty() const { return m_bytes.empty(); }
    void Clear();

private:
    // How one reply byte is read: `bits` samples in its low end, or the DO pin.
    struct ReplyByte
    {
        unsigned bits;
        bool pins;
    };

    void SetPins(std::uint8_t pins);
    void DataInLow();
    void ClockOut(std::uint32_t bits, unsigned count);
    void ClockIn(unsigned count);
    void ReadPins();
    // SK runs for `count` clocks with no data.
    void Clocks(unsigned count);

    BusTiming m_timing;
    std::vector<std::uint8_t> m_bytes;
    std::vector<ReplyByte> m_replies;
    std::size_t m_nReplyBytes = 0;
    std::uint8_t m_nPins = 0;
    // Set from an instruction's first clock until CS falls.
    bool m_bInstruction = false;
};

} // namespace pemrix
