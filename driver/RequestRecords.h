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

// REQ_DETECT_TYPE's record: the selected type goes in (it names the socket where an adapter
// has one per type); the type found, the address bits the chip took and the larger type of a
// pair that cannot be told apart (else 0) come back.
struct DetectRecord
{
    std::uint32_t type = 0, addressBits = 0, alternative = 0, status = 0, reserved = 0;
    static constexpr std::uint32_t kSize = 20;
    static constexpr RecordFields<DetectRecord, 5> kFields = FieldsInOrder<DetectRecord>(
        &DetectRecord::type, &DetectRecord::addressBits, &DetectRecord::alternative,
        &DetectRecord::status, &DetectRecord::reserved);
};

// REQ_DETECT_ORGANISATION's record: the selected type and organisation go in (they name the
// socket); the type and organisation found come back with the address bits the chip took and
// every type the chip's answer fits (ChipTypeBit), the one found among them. More than one bit
// means the contents could not tell those types apart.
struct OrganisationDetectRecord
{
    std::uint32_t type = 0, organisation = 0, addressBits = 0, candidates = 0, status = 0,
                  reserved = 0;
    static constexpr std::uint32_t kSize = 24;
    static constexpr RecordFields<OrganisationDetectRecord, 6> kFields =
        FieldsInOrder<OrganisationDetectRecord>(
            &OrganisationDetectRecord::type, &OrganisationDetectRecord::organisation,
            &OrganisationDetectRecord::addressBits, &OrganisationDetectRecord::candidates,
            &OrganisationDetectRecord::status, &OrganisationDetectRecord::reserved);
};

// The organisation field's values: the cell's bits.
inline constexpr std::uint32_t kOrganisationWords16 = 16;
inline constexpr std::uint32_t kOrganisationBytes8 = 8;

// A type's bit in the candidates field: bits 0 to 5 the 16-bit types by code, bits 8 to 13
// the 8-bit ones.
constexpr std::uint32_t ChipTypeBit(std::uint32_t code, std::uint32_t organisation)
{
    return 1u << ((code - 1) + (organisation == kOrganisationBytes8 ? 8 : 0));
}

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

// REQ_READ_ALL_X8's and REQ_WRITE_ALL_X8's record: the type, then one byte slot per cell of the
// largest chip (an 8-bit 93C86 has 2048), then status and reserved. Only the type's cell count
// of slots is meaningful.
struct ByteImageRecord
{
    static constexpr std::size_t kByteSlots = 2048;

    std::uint32_t type = 0;
    std::array<std::uint8_t, kByteSlots> bytes{};
    std::uint32_t status = 0;
    std::uint32_t reserved = 0;
    static constexpr std::uint32_t kSize = 2060;
    static constexpr RecordFields<ByteImageRecord, 3> kFields{{
        {&ByteImageRecord::type, 0},
        {&ByteImageRecord::status, 2052},
        {&ByteImageRecord::reserved, 2056},
    }};

    static constexpr std::size_t ByteOffset(std::size_t index) { return kRecordFieldSize + index; }
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
void EncodeRecord(const ByteImageRecord& record, std::span<std::uint8_t> bytes);
template <> ByteImageRecord DecodeRecord<ByteImageRecord>(std::span<const std::uint8_t> bytes);

} // namespace pemrix
