#pragma once

#include "driver/RecordBytes.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

namespace pemrix {

// The records the requests carry. Each lists its fields and their byte offsets in one table,
// kFields, which EncodeRecord and DecodeRecord walk; kSize is the byte count the driver expects.

// REQ_GET_VERSION's record: the driver fills in its four version numbers.
struct VersionRecord
{
    std::uint32_t major = 0, minor = 0, build = 0, revision = 0, reserved = 0;
    static constexpr std::uint32_t kSize = 20;
    static constexpr RecordFields<VersionRecord, 5> kFields = FieldsInOrder<VersionRecord>(
        &VersionRecord::major, &VersionRecord::minor, &VersionRecord::build,
        &VersionRecord::revision, &VersionRecord::reserved);
};

// REQ_READ's and REQ_WRITE's record: one word at one address.
struct WordRecord
{
    std::uint32_t type = 0, address = 0, data = 0, status = 0, reserved = 0;
    static constexpr std::uint32_t kSize = 20;
    static constexpr RecordFields<WordRecord, 5> kFields =
        FieldsInOrder<WordRecord>(&WordRecord::type, &WordRecord::address, &WordRecord::data,
                                  &WordRecord::status, &WordRecord::reserved);
};

// REQ_ERASE's record: the address of the word to erase.
struct EraseRecord
{
    std::uint32_t type = 0, address = 0, status = 0, reserved = 0;
    static constexpr std::uint32_t kSize = 16;
    static constexpr RecordFields<EraseRecord, 4> kFields = FieldsInOrder<EraseRecord>(
        &EraseRecord::type, &EraseRecord::address, &EraseRecord::status, &EraseRecord::reserved);
};

// REQ_WRAL's record: the value every word of the chip receives.
struct FillRecord
{
    std::uint32_t type = 0, data = 0, status = 0, reserved = 0;
    static constexpr std::uint32_t kSize = 16;
    static constexpr RecordFields<FillRecord, 4> kFields = FieldsInOrder<FillRecord>(
        &FillRecord::type, &FillRecord::data, &FillRecord::status, &FillRecord::reserved);
};

// REQ_ERAL's record: only the chip type goes in.
struct EralRecord
{
    std::uint32_t type = 0, status = 0, reserved = 0;
    static constexpr std::uint32_t kSize = 12;
    static constexpr RecordFields<EralRecord, 3> kFields =
        FieldsInOrder<EralRecord>(&EralRecord::type, &EralRecord::status, &EralRecord::reserved);
};

// REQ_READ_ALL's and REQ_WRITE_ALL's record: room for the largest chip, whatever the type;
// only the type's word count of slots is meaningful. The slots are one run of fields between
// the type and the status, so the table lists only the fields around them.
struct ImageRecord
{
    static constexpr std::size_t kWordSlots = 1024;

    std::uint32_t type = 0;
    std::array<std::uint32_t, kWordSlots> words{};
    std::uint32_t status = 0;
    std::uint32_t reserved = 0;
    static constexpr std::uint32_t kSize = 4108;
    static constexpr RecordFields<ImageRecord, 3> kFields{{
        {&ImageRecord::type, 0},
        {&ImageRecord::status, 4100},
        {&ImageRecord::reserved, 4104},
    }};

    // Word slot `index` sits at this byte offset.
    static constexpr std::size_t WordOffset(std::size_t index)
    {
        return 4 + kRecordFieldSize * index;
    }
};

// The 4-byte requests (REQ_SET_PORT, REQ_WRITE_ENABLE, REQ_WRITE_DISABLE) carry one value: a
// port I/O base address or a chip type code. They have no output and no status.
struct ValueRequest
{
    std::uint32_t value = 0;
    static constexpr std::uint32_t kSize = 4;
    static constexpr RecordFields<ValueRequest, 1> kFields =
        FieldsInOrder<ValueRequest>(&ValueRequest::value);
};

// The image record's word slots are encoded and decoded beside its table.
void EncodeRecord(const ImageRecord& record, std::span<std::uint8_t> bytes);
template <> ImageRecord DecodeRecord<ImageRecord>(std::span<const std::uint8_t> bytes);

} // namespace pemrix
