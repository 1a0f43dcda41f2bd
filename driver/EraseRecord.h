#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace pemrix {

// REQ_ERASE's record: the address of the word to erase.
struct EraseRecord
{
    static constexpr std::uint32_t kSize = 16;
    static constexpr std::size_t kTypeOffset = 0;
    static constexpr std::size_t kAddressOffset = 4;
    static constexpr std::size_t kStatusOffset = 8;
    static constexpr std::size_t kReservedOffset = 12;

    std::uint32_t type = 0;
    std::uint32_t address = 0;
    std::uint32_t status = 0;
    std::uint32_t reserved = 0;

    void EncodeTo(std::span<std::uint8_t> bytes) const;
    static EraseRecord DecodeFrom(std::span<const std::uint8_t> bytes);
};

static_assert(EraseRecord::kTypeOffset == 0);
static_assert(EraseRecord::kAddressOffset == 4);
static_assert(EraseRecord::kStatusOffset == 8);
static_assert(EraseRecord::kReservedOffset == 12);
static_assert(EraseRecord::kSize == 16);
static_assert(EraseRecord::kReservedOffset + 4 == EraseRecord::kSize);

} // namespace pemrix
