#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace pemrix {

// Every record field is one 32-bit little-endian value.
inline constexpr std::size_t kRecordFieldSize = 4;

// Stores `value` little-endian at `offset`; bytes that would fall outside `bytes` are dropped,
// so a short buffer is never overrun.
void StoreLe32(std::span<std::uint8_t> bytes, std::size_t offset, std::uint32_t value);

// Reads a little-endian value at `offset`; bytes outside `bytes` read as zero.
std::uint32_t LoadLe32(std::span<const std::uint8_t> bytes, std::size_t offset);

} // namespace pemrix
