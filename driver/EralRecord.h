#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace pemrix {

// REQ_ERAL's record: only the chip type goes in.
struct EralRecord
{
    static constexpr std::uint32_t kSize = 12;
    static constexpr std::size_t kTypeOffset = 0;
    static constexpr std::size_t kStatusOffset = 4;
    static constexpr std::size_t kReservedOffset = 8;

    std::uint32_t type = 0;
    std::uint32_t status = 0;
    std::uint32_t reserved = 0;

    void EncodeTo(std::span<std::uint8_t> bytes) const;
    static EralRecord DecodeFrom(std::span<const std::uint8_t> bytes);
};

static_assert(EralRecord::kTypeOffset == 0);
static_assert(EralRecord::kStatusOffset == 4);
static_assert(EralRecord::kReservedOffset == 8);
static_assert(EralRecord::kSize == 12);
static_assert(EralRecord::kReservedOffset + 4 == EralRecord::kSize);

} // namespace pemrix
