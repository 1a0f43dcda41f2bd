#include "driver/FillRecord.h"

#include "driver/RecordBytes.h"

namespace pemrix {

namespace {

constexpr RecordFields<FillRecord, 4> kFields{{
    {&FillRecord::type, FillRecord::kTypeOffset},
    {&FillRecord::data, FillRecord::kDataOffset},
    {&FillRecord::status, FillRecord::kStatusOffset},
    {&FillRecord::reserved, FillRecord::kReservedOffset},
}};
static_assert(FieldsFill(kFields, FillRecord::kSize));

} // namespace

void FillRecord::EncodeTo(std::span<std::uint8_t> bytes) const
{
    EncodeFields(*this, kFields, bytes);
}

FillRecord FillRecord::DecodeFrom(std::span<const std::uint8_t> bytes)
{
    FillRecord record;
    DecodeFields(record, kFields, bytes);
    return record;
}

} // namespace pemrix
