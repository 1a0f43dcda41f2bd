#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace pemrix {

// REQ_READ's and REQ_WRITE's record: one word at one address.
struct WordRecord
{
    static constexpr std::uint32_t kSize = 20;
    static constexpr std::size_t kTypeOffset = 0;
    static constexpr std::size_t kAddressOffset = 4;
    static constexpr std::size_t kDataOffset = 8;
    static constexpr std::size_t kStatusOffset = 12;
    static constexpr std::size_t kReservedOffset = 16;

    std::uint32_t type = 0;
    std::uint32_t address = 0;
    std::uint32_t data = 0;
    std::uint32_t status = 0;
    std::uint32_t reserved = 0;

    void EncodeTo(std::span<std::uint8_t> bytes) const;
    static WordRecord DecodeFrom(std::span<const std::uint8_t> bytes);
};

static_assert(WordRecord::kTypeOffset == 0);
static_assert(WordRecord::kAddressOffset == 4);
static_assert(WordRecord::kDataOffset == 8);
static_assert(WordRecord::kStatusOffset == 12);
static_assert(WordRecord::kReservedOffset == 16);
static_assert(WordRecord::kSize == 20);
static_assert(WordRecord::kReservedOffset + 4 == WordRecord::kSize);

} // namespace pemrix
