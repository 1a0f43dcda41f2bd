#pragma once

#include "adapter/bus/BusTiming.h"

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace pemrix {

// The CH347's vendor interface: every command is a frame of its command byte, a 16-bit
// little-endian length and that many bytes. Its SPI engine clocks whole bytes, most
// significant bit first, with chip select under the host's control.
namespace ch347 {
inline constexpr std::uint8_t kSetConfig = 0xC0;
inline constexpr std::uint8_t kChipSelect = 0xC1;
// Clocks the payload out on MOSI and answers a frame of as many bytes sampled from MISO.
inline constexpr std::uint8_t kWriteRead = 0xC2;
inline constexpr std::uint8_t kGetConfig = 0xCA;

inline constexpr std::uint8_t kOutEndpoint = 0x06;
inline constexpr std::uint8_t kInEndpoint = 0x86;
inline constexpr std::size_t kPacketSize = 512;
inline constexpr std::size_t kHeaderSize = 3;
// Bytes of one write-and-read, so that the frame and its answer each fit one packet.
inline constexpr std::size_t kMostExchangeBytes = kPacketSize - kHeaderSize - 2;

// The SPI configuration that 0xCA answers and 0xC0 takes; the program changes only these
// fields and writes the rest back as the adapter gave them.
inline constexpr std::size_t kConfigSize = 26;
inline constexpr std::size_t kClockPolarityAt = 6;
inline constexpr std::uint8_t kClockPolarityHigh = 0x02;
inline constexpr std::size_t kClockPhaseAt = 8;
inline constexpr std::uint8_t kClockPhaseSecondEdge = 0x01;
inline constexpr std::size_t kClockIndexAt = 12;
inline constexpr unsigned kClockIndexShift = 3;
inline constexpr std::uint8_t kClockIndexMask = 0x07 << kClockIndexShift;
inline constexpr std::size_t kBitOrderAt = 14;
inline constexpr std::uint8_t kLeastSignificantFirst = 0x80;
inline constexpr std::size_t kChipSelectPolarityAt = 21;
// The 93Cxx selects with CS high: CS1, wired to it, asserts high.
inline constexpr std::uint8_t kChipSelect1ActiveHigh = 0x40;
// 0xC0 answers one status byte, 0 for done.
inline constexpr std::size_t kSetConfigReplySize = kHeaderSize + 1;

// 0xC1's payload: a control byte for CS1, then one for CS2, five bytes apart.
inline constexpr std::size_t kChipSelectSize = 10;
inline constexpr std::uint8_t kChipSelectChange = 0x80;
inline constexpr std::uint8_t kChipSelectDeassert = 0x40;

// Clock index 0 is 60 MHz, each next one half as fast, 7 is 468.75 kHz.
inline constexpr unsigned kSlowestClockIndex = 7;
std::chrono::nanoseconds ClockPeriod(unsigned index);
// The fastest clock whose half period is no shorter than the bus timing's, or none when even
// the slowest clocks the class's parts too fast.
std::optional<unsigned> ClockIndexFor(const BusTiming& timing);

std::vector<std::uint8_t> Frame(std::uint8_t command, std::span<const std::uint8_t> payload);
std::vector<std::uint8_t> ChipSelectFrame(bool asserted);
// The adapter's configuration as 0xCA gave it, set to SPI mode 0, most significant bit first,
// CS1 active high and the clock `index`.
std::vector<std::uint8_t> Configured(std::span<const std::uint8_t> config, unsigned index);
} // namespace ch347

} // namespace pemrix
