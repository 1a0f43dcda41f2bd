#include "driver/RequestRecords.h"

namespace pemrix {

// The sizes the driver fixes; each table must fill its record's with no gap.
static_assert(FieldsFill(VersionRecord::kFields, VersionRecord::kSize));
static_assert(FieldsFill(WordRecord::kFields, WordRecord::kSize));
static_assert(FieldsFill(EraseRecord::kFields, EraseRecord::kSize));
static_assert(FieldsFill(FillRecord::kFields, FillRecord::kSize));
static_assert(FieldsFill(EralRecord::kFields, EralRecord::kSize));
static_assert(FieldsFill(DetectRecord::kFields, DetectRecord::kSize));
static_assert(FieldsFill(ValueRequest::kFields, ValueRequest::kSize));
static_assert(FieldsFill(OrganisationDetectRecord::kFields, OrganisationDetectRecord::kSize));
// The image record's slots run from just after the type up to the status.
static_assert(ImageRecord::WordOffset(0) == OffsetOf(&ImageRecord::type) + kRecordFieldSize);
static_assert(ImageRecord::WordOffset(ImageRecord::kWordSlots) == OffsetOf(&ImageRecord::status));
static_assert(OffsetOf(&ImageRecord::reserved) + kRecordFieldSize == ImageRecord::kSize);
static_assert(ByteImageRecord::ByteOffset(0) ==
              OffsetOf(&ByteImageRecord::type) + kRecordFieldSize);
static_assert(ByteImageRecord::ByteOffset(ByteImageRecord::kByteSlots) ==
              OffsetOf(&ByteImageRecord::status));
static_assert(OffsetOf(&ByteImageRecord::reserved) + kRecordFieldSize == ByteImageRecord::kSize);

void EncodeRecord(const ImageRecord& record, std::span<std::uint8_t> bytes)
{
    EncodeFields(record, ImageRecord::kFields, bytes);
    for (std::size_t i = 0; i < ImageRecord::kWordSlots; ++i)
        StoreLe32(bytes, ImageRecord::WordOffset(i), record.words[i]);
}

template <> ImageRecord DecodeRecord<ImageRecord>(std::span<const std::uint8_t> bytes)
{
    ImageRecord record;
    DecodeFields(record, ImageRecord::kFields, bytes);
    for (std::size_t i = 0; i < ImageRecord::kWordSlots; ++i)
        record.words[i] = LoadLe32(bytes, ImageRecord::WordOffset(i));
    return record;
}

void EncodeRecord(const ByteImageRecord& record, std::span<std::uint8_t> bytes)
{
    EncodeFields(record, ByteImageRecord::kFields, bytes);
    for (std::size_t i = 0; i < ByteImageRecord::kByteSlots; ++i)
        if (ByteImageRecord::ByteOffset(i) < bytes.size())
            bytes[ByteImageRecord::ByteOffset(i)] = record.bytes[i];
}

template <> ByteImageRecord DecodeRecord<ByteImageRecord>(std::span<const std::uint8_t> bytes)
{
    ByteImageRecord record;
    DecodeFields(record, ByteImageRecord::kFields, bytes);
    for (std::size_t i = 0; i < ByteImageRecord::kByteSlots; ++i)
        if (ByteImageRecord::ByteOffset(i) < bytes.size())
            record.bytes[i] = bytes[ByteImageRecord::ByteOffset(i)];
    return record;
}

} // namespace pemrix
