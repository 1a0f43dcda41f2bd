#include "driver/ImageRecord.h"

#include "driver/RecordBytes.h"

namespace pemrix {

namespace {

// The fields around the word slots; the slots themselves are one run of 1024 fields.
constexpr RecordFields<ImageRecord, 3> kFields{{
    {&ImageRecord::type, ImageRecord::kTypeOffset},
    {&ImageRecord::status, ImageRecord::kStatusOffset},
    {&ImageRecord::reserved, ImageRecord::kReservedOffset},
}};

} // namespace

void ImageRecord::EncodeTo(std::span<std::uint8_t> bytes) const
{
    EncodeFields(*this, kFields, bytes);
    for (std::size_t i = 0; i < kWordSlots; ++i)
        StoreLe32(bytes, WordOffset(i), words[i]);
}

ImageRecord ImageRecord::DecodeFrom(std::span<const std::uint8_t> bytes)
{
    ImageRecord record;
    DecodeFields(record, kFields, bytes);
    for (std::size_t i = 0; i < kWordSlots; ++i)
        record.words[i] = LoadLe32(bytes, WordOffset(i));
    return record;
}

} // namespace pemrix
