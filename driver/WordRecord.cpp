#include "driver/WordRecord.h"

#include "driver/RecordBytes.h"

namespace pemrix {

void WordRecord::EncodeTo(std::span<std::uint8_t> bytes) const
{
    StoreLe32(bytes, kTypeOffset, type);
    StoreLe32(bytes, kAddressOffset, address);
    StoreLe32(bytes, kDataOffset, data);
    StoreLe32(bytes, kStatusOffset, status);
    StoreLe32(bytes, kReservedOffset, reserved);
}

WordRecord WordRecord::DecodeFrom(std::span<const std::uint8_t> bytes)
{
    WordRecord record;
    record.type = LoadLe32(bytes, kTypeOffset);
    record.address = LoadLe32(bytes, kAddressOffset);
    record.data = LoadLe32(bytes, kDataOffset);
    record.status = LoadLe32(bytes, kStatusOffset);
    record.reserved = LoadLe32(bytes, kReservedOffset);
    return record;
}

} // namespace pemrix
