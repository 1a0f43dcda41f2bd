#include "driver/EralRecord.h"

#include "driver/RecordBytes.h"

namespace pemrix {

namespace {

constexpr RecordFields<EralRecord, 3> kFields{{
    {&EralRecord::type, EralRecord::kTypeOffset},
    {&EralRecord::status, EralRecord::kStatusOffset},
    {&EralRecord::reserved, EralRecord::kReservedOffset},
}};
static_assert(FieldsFill(kFields, EralRecord::kSize));

} // namespace

void EralRecord::EncodeTo(std::span<std::uint8_t> bytes) const
{
    EncodeFields(*this, kFields, bytes);
}

EralRecord EralRecord::DecodeFrom(std::span<const std::uint8_t> bytes)
{
    EralRecord record;
    DecodeFields(record, kFields, bytes);
    return record;
}

} // namespace pemrix
