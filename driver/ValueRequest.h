#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace pemrix {

// The 4-byte requests (REQ_SET_PORT, REQ_WRITE_ENABLE, REQ_WRITE_DISABLE) carry one value: a
// port I/O base address or a chip type code. They have no output and no status.
struct ValueRequest
{
    static constexpr std::uint32_t kSize = 4;
    static constexpr std::size_t kValueOffset = 0;

    std::uint32_t value = 0;

    void EncodeTo(std::span<std::uint8_t> bytes) const;
    static ValueRequest DecodeFrom(std::span<const std::uint8_t> bytes);
};

static_assert(ValueRequest::kValueOffset == 0);
static_assert(ValueRequest::kSize == 4);

} // namespace pemrix
