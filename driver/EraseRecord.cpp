#include "driver/EraseRecord.h"

#include "driver/RecordBytes.h"

namespace pemrix {

void EraseRecord::EncodeTo(std::span<std::uint8_t> bytes) const
{
    StoreLe32(bytes, kTypeOffset, type);
    StoreLe32(bytes, kAddressOffset, address);
    StoreLe32(bytes, kStatusOffset, status);
    StoreLe32(bytes, kReservedOffset, reserved);
}

EraseRecord EraseRecord::DecodeFrom(std::span<const std::uint8_t> bytes)
{
    EraseRecord record;
    record.type = LoadLe32(bytes, kTypeOffset);
    record.address = LoadLe32(bytes, kAddressOffset);
    record.status = LoadLe32(bytes, kStatusOffset);
    record.reserved = LoadLe32(bytes, kReservedOffset);
    return record;
}

} // namespace pemrix
