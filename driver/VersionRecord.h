#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace pemrix {

// REQ_GET_VERSION's record: the driver fills in its four version numbers.
struct VersionRecord
{
    static constexpr std::uint32_t kSize = 20;
    static constexpr std::size_t kMajorOffset = 0;
    static constexpr std::size_t kMinorOffset = 4;
    static constexpr std::size_t kBuildOffset = 8;
    static constexpr std::size_t kRevisionOffset = 12;
    static constexpr std::size_t kReservedOffset = 16;

    std::uint32_t major = 0;
    std::uint32_t minor = 0;
    std::uint32_t build = 0;
    std::uint32_t revision = 0;
    std::uint32_t reserved = 0;

    void EncodeTo(std::span<std::uint8_t> bytes) const;
    static VersionRecord DecodeFrom(std::span<const std::uint8_t> bytes);
};

static_assert(VersionRecord::kMajorOffset == 0);
static_assert(VersionRecord::kMinorOffset == 4);
static_assert(VersionRecord::kBuildOffset == 8);
static_assert(VersionRecord::kRevisionOffset == 12);
static_assert(VersionRecord::kReservedOffset == 16);
static_assert(VersionRecord::kSize == 20);
static_assert(VersionRecord::kReservedOffset + 4 == VersionRecord::kSize);

} // namespace pemrix
