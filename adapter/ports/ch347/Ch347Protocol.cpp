#include "adapter/ports/ch347/Ch347Protocol.h"

#include <algorithm>

namespace pemrix::ch347 {

namespace {

// 60 MHz in picoseconds per period, so each halving stays exact.
constexpr std::int64_t kFastestPeriodPicoseconds = 1'000'000 / 60;

} // namespace

std::chrono::nanoseconds ClockPeriod(unsigned index)
{
    // 16.67 ns at 60 MHz, 2133.33 ns at 468.75 kHz: rounded down, a period is never
    // overstated, so the timing checks it passes hold for the real clock too.
    return std::chrono::nanoseconds((kFastestPeriodPicoseconds << index) / 1000);
}

std::optional<unsigned> ClockIndexFor(const BusTiming& timing)
{
    for (unsigned index = 0; index <= kSlowestClockIndex; ++index) {
        if (ClockPeriod(index) / 2 >= timing.halfPeriod)
            return index;
    }
    return std::nullopt;
}

std::vector<std::uint8_t> Frame(std::uint8_t command, std::span<const std::uint8_t> payload)
{
    std::vector<std::uint8_t> frame(kHeaderSize + payload.size());
    frame[0] = command;
    frame[1] = static_cast<std::uint8_t>(payload.size() & 0xFF);
    frame[2] = static_cast<std::uint8_t>(payload.size() >> 8);
    std::copy(payload.begin(), payload.end(), frame.begin() + kHeaderSize);
    return frame;
}

std::vector<std::uint8_t> ChipSelectFrame(bool asserted)
{
    std::uint8_t payload[kChipSelectSize] = {};
    payload[0] =
        static_cast<std::uint8_t>(kChipSelectChange | (asserted ? 0 : kChipSelectDeassert));
    return Frame(kChipSelect, payload);
}

std::vector<std::uint8_t> Configured(std::span<const std::uint8_t> config, unsigned index)
{
    std::vector<std::uint8_t> bytes(config.begin(), config.end());
    bytes[kClockPolarityAt] &= static_cast<std::uint8_t>(~kClockPolarityHigh);
    bytes[kClockPhaseAt] &= static_cast<std::uint8_t>(~kClockPhaseSecondEdge);
    const unsigned keptBits = bytes[kClockIndexAt] & ~static_cast<unsigned>(kClockIndexMask);
    bytes[kClockIndexAt] = static_cast<std::uint8_t>(keptBits | (index << kClockIndexShift));
    bytes[kBitOrderAt] &= static_cast<std::uint8_t>(~kLeastSignificantFirst);
    bytes[kChipSelectPolarityAt] |= kChipSelect1ActiveHigh;
    return bytes;
}

} // namespace pemrix::ch347
