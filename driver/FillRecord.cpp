#include "driver/FillRecord.h"

#include "driver/RecordBytes.h"

namespace pemrix {

void FillRecord::EncodeTo(std::span<std::uint8_t> bytes) const
{
    StoreLe32(bytes, kTypeOffset, type);
    StoreLe32(bytes, kDataOffset, data);
    StoreLe32(bytes, kStatusOffset, status);
    StoreLe32(bytes, kReservedOffset, reserved);
}

FillRecord FillRecord::DecodeFrom(std::span<const std::uint8_t> bytes)
{
    FillRecord record;
    record.type = LoadLe32(bytes, kTypeOffset);
    record.data = LoadLe32(bytes, kDataOffset);
    record.status = LoadLe32(bytes, kStatusOffset);
    record.reserved = LoadLe32(bytes, kReservedOffset);
    return record;
}

} // namespace pemrix
