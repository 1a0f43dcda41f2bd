#include "driver/WordRecord.h"

#include "driver/RecordBytes.h"

namespace pemrix {

namespace {

constexpr RecordFields<WordRecord, 5> kFields{{
    {&WordRecord::type, WordRecord::kTypeOffset},
    {&WordRecord::address, WordRecord::kAddressOffset},
    {&WordRecord::data, WordRecord::kDataOffset},
    {&WordRecord::status, WordRecord::kStatusOffset},
    {&WordRecord::reserved, WordRecord::kReservedOffset},
}};
static_assert(FieldsFill(kFields, WordRecord::kSize));

} // namespace

void WordRecord::EncodeTo(std::span<std::uint8_t> bytes) const
{
    EncodeFields(*this, kFields, bytes);
}

WordRecord WordRecord::DecodeFrom(std::span<const std::uint8_t> bytes)
{
    WordRecord record;
    DecodeFields(record, kFields, bytes);
    return record;
}

} // namespace pemrix
