#include "driver/RecordBytes.h"

namespace pemrix {

void StoreLe32(std::span<std::uint8_t> bytes, std::size_t offset, std::uint32_t value)
{
    for (std::size_t i = 0; i < kRecordFieldSize && offset + i < bytes.size(); ++i)
        bytes[offset + i] = static_cast<std::uint8_t>(value >> (8 * i));
}

std::uint32_t LoadLe32(std::span<const std::uint8_t> bytes, std::size_t offset)
{
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < kRecordFieldSize && offset + i < bytes.size(); ++i)
        value |= static_cast<std::uint32_t>(bytes[offset + i]) << (8 * i);
    return value;
}

} // namespace pemrix
