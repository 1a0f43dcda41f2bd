#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace pemrix {

// REQ_WRAL's record: the value every word of the chip receives.
struct FillRecord
{
    static constexpr std::uint32_t kSize = 16;
    static constexpr std::size_t kTypeOffset = 0;
    static constexpr std::size_t kDataOffset = 4;
    static constexpr std::size_t kStatusOffset = 8;
    static constexpr std::size_t kReservedOffset = 12;

    std::uint32_t type = 0;
    std::uint32_t data = 0;
    std::uint32_t status = 0;
    std::uint32_t reserved = 0;

    void EncodeTo(std::span<std::uint8_t> bytes) const;
    static FillRecord DecodeFrom(std::span<const std::uint8_t> bytes);
};

static_assert(FillRecord::kTypeOffset == 0);
static_assert(FillRecord::kDataOffset == 4);
static_assert(FillRecord::kStatusOffset == 8);
static_assert(FillRecord::kReservedOffset == 12);
static_assert(FillRecord::kSize == 16);
static_assert(FillRecord::kReservedOffset + 4 == FillRecord::kSize);

} // namespace pemrix
