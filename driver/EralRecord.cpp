#include "driver/EralRecord.h"

#include "driver/RecordBytes.h"

namespace pemrix {

void EralRecord::EncodeTo(std::span<std::uint8_t> bytes) const
{
    StoreLe32(bytes, kTypeOffset, type);
    StoreLe32(bytes, kStatusOffset, status);
    StoreLe32(bytes, kReservedOffset, reserved);
}

EralRecord EralRecord::DecodeFrom(std::span<const std::uint8_t> bytes)
{
    EralRecord record;
    record.type = LoadLe32(bytes, kTypeOffset);
    record.status = LoadLe32(bytes, kStatusOffset);
    record.reserved = LoadLe32(bytes, kReservedOffset);
    return record;
}

} // namespace pemrix
