#include "driver/ImageRecord.h"

#include "driver/RecordBytes.h"

namespace pemrix {

void ImageRecord::EncodeTo(std::span<std::uint8_t> bytes) const
{
    StoreLe32(bytes, kTypeOffset, type);
    for (std::size_t i = 0; i < kWordSlots; ++i)
        StoreLe32(bytes, WordOffset(i), words[i]);
    StoreLe32(bytes, kStatusOffset, status);
    StoreLe32(bytes, kReservedOffset, reserved);
}

ImageRecord ImageRecord::DecodeFrom(std::span<const std::uint8_t> bytes)
{
    ImageRecord record;
    record.type = LoadLe32(bytes, kTypeOffset);
    for (std::size_t i = 0; i < kWordSlots; ++i)
        record.words[i] = LoadLe32(bytes, WordOffset(i));
    record.status = LoadLe32(bytes, kStatusOffset);
    record.reserved = LoadLe32(bytes, kReservedOffset);
    return record;
}

} // namespace pemrix
