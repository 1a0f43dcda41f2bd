#include "driver/EraseRecord.h"

#include "driver/RecordBytes.h"

namespace pemrix {

namespace {

constexpr RecordFields<EraseRecord, 4> kFields{{
    {&EraseRecord::type, EraseRecord::kTypeOffset},
    {&EraseRecord::address, EraseRecord::kAddressOffset},
    {&EraseRecord::status, EraseRecord::kStatusOffset},
    {&EraseRecord::reserved, EraseRecord::kReservedOffset},
}};
static_assert(FieldsFill(kFields, EraseRecord::kSize));

} // namespace

void EraseRecord::EncodeTo(std::span<std::uint8_t> bytes) const
{
    EncodeFields(*this, kFields, bytes);
}

EraseRecord EraseRecord::DecodeFrom(std::span<const std::uint8_t> bytes)
{
    EraseRecord record;
    DecodeFields(record, kFields, bytes);
    return record;
}

} // namespace pemrix
