#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

namespace pemrix {

// Every record field is one 32-bit little-endian value.
inline constexpr std::size_t kRecordFieldSize = 4;

// Stores `value` little-endian at `offset`; bytes that would fall outside `bytes` are dropped,
// so a short buffer is never overrun.
void StoreLe32(std::span<std::uint8_t> bytes, std::size_t offset, std::uint32_t value);

// Reads a little-endian value at `offset`; bytes outside `bytes` read as zero.
std::uint32_t LoadLe32(std::span<const std::uint8_t> bytes, std::size_t offset);

// One 32-bit field of a record and where it lies, so a record's layout is a table.
template <class Record> struct RecordField
{
    std::uint32_t Record::*member;
    std::size_t offset;
};

template <class Record, std::size_t N> using RecordFields = std::array<RecordField<Record>, N>;

// A record whose fields follow one another from offset 0 in the order given.
template <class Record, class... Members>
consteval RecordFields<Record, sizeof...(Members)> FieldsInOrder(Members... members)
{
    std::size_t offset = 0;
    RecordFields<Record, sizeof...(Members)> fields{{{members, 0}...}};
    for (RecordField<Record>& field : fields) {
        field.offset = offset;
        offset += kRecordFieldSize;
    }
    return fields;
}

// True when the fields follow one another from offset 0 with no gap and fill `size` bytes.
template <class Record, std::size_t N>
constexpr bool FieldsFill(const RecordFields<Record, N>& fields, std::size_t size)
{
    for (std::size_t i = 0; i < N; ++i) {
        if (fields[i].offset != i * kRecordFieldSize)
            return false;
    }
    return N * kRecordFieldSize == size;
}

// The byte offset of `member` in its record's field table (Record::kFields); a member the table
// lacks does not compile.
template <class Record> consteval std::size_t OffsetOf(std::uint32_t Record::*member)
{
    for (const RecordField<Record>& field : Record::kFields) {
        if (field.member == member)
            return field.offset;
    }
    throw "not a field of the record";
}

template <class Record, std::size_t N>
void EncodeFields(const Record& record, const RecordFields<Record, N>& fields,
                  std::span<std::uint8_t> bytes)
{
    for (const RecordField<Record>& field : fields)
        StoreLe32(bytes, field.offset, record.*field.member);
}

template <class Record, std::size_t N>
void DecodeFields(Record& record, const RecordFields<Record, N>& fields,
                  std::span<const std::uint8_t> bytes)
{
    for (const RecordField<Record>& field : fields)
        record.*field.member = LoadLe32(bytes, field.offset);
}

// Encodes and decodes a record by walking its field table (Record::kFields).
template <class Record> void EncodeRecord(const Record& record, std::span<std::uint8_t> bytes)
{
    EncodeFields(record, Record::kFields, bytes);
}

template <class Record> Record DecodeRecord(std::span<const std::uint8_t> bytes)
{
    Record record;
    DecodeFields(record, Record::kFields, bytes);
    return record;
}

} // namespace pemrix
