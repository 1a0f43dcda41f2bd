#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

namespace pemrix {

// REQ_READ_ALL's and REQ_WRITE_ALL's record: room for the largest chip, whatever the type;
// only the type's word count of slots is meaningful.
struct ImageRecord
{
    static constexpr std::size_t kWordSlots = 1024;
    static constexpr std::uint32_t kSize = 4108;
    static constexpr std::size_t kTypeOffset = 0;
    static constexpr std::size_t kWordsOffset = 4;
    static constexpr std::size_t kStatusOffset = 4100;
    static constexpr std::size_t kReservedOffset = 4104;

    std::uint32_t type = 0;
    std::array<std::uint32_t, kWordSlots> words{};
    std::uint32_t status = 0;
    std::uint32_t reserved = 0;

    // Word slot `index` sits at this byte offset.
    static constexpr std::size_t WordOffset(std::size_t index) { return kWordsOffset + 4 * index; }

    void EncodeTo(std::span<std::uint8_t> bytes) const;
    static ImageRecord DecodeFrom(std::span<const std::uint8_t> bytes);
};

static_assert(ImageRecord::kTypeOffset == 0);
static_assert(ImageRecord::kWordsOffset == 4);
static_assert(ImageRecord::WordOffset(1023) == 4096);
static_assert(ImageRecord::kStatusOffset == ImageRecord::WordOffset(ImageRecord::kWordSlots));
static_assert(ImageRecord::kStatusOffset == 4100);
static_assert(ImageRecord::kReservedOffset == 4104);
static_assert(ImageRecord::kSize == 4108);
static_assert(ImageRecord::kReservedOffset + 4 == ImageRecord::kSize);

} // namespace pemrix
