#include "driver/RequestRecords.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace pemrix {
namespace {

using Bytes = std::vector<std::uint8_t>;

template <class Record> Bytes Encode(const Record& record)
{
    Bytes bytes(Record::kSize, 0xEE);
    EncodeRecord(record, bytes);
    return bytes;
}

TEST(Records, SmallRecordsEncodeLittleEndianFieldByField)
{
    EXPECT_EQ(Encode(VersionRecord{2, 0, 0x0102, 800, 0x0A0B0C0D}),
              (Bytes{0x02, 0, 0,    0,    0, 0, 0,    0,    0x02, 0x01,
                     0,    0, 0x20, 0x03, 0, 0, 0x0D, 0x0C, 0x0B, 0x0A}));
    EXPECT_EQ(Encode(WordRecord{2, 0x0010, 0x1234, 0x89ABCDEF, 0}),
              (Bytes{0x02, 0, 0,    0,    0x10, 0,    0, 0, 0x34, 0x12,
                     0,    0, 0xEF, 0xCD, 0xAB, 0x89, 0, 0, 0,    0}));
    EXPECT_EQ(Encode(EraseRecord{6, 0x03FF, 5, 0}),
              (Bytes{0x06, 0, 0, 0, 0xFF, 0x03, 0, 0, 0x05, 0, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(Encode(FillRecord{1, 0x00A5, 0, 0x01020304}),
              (Bytes{0x01, 0, 0, 0, 0xA5, 0, 0, 0, 0, 0, 0, 0, 0x04, 0x03, 0x02, 0x01}));
    EXPECT_EQ(Encode(EralRecord{4, 0x100, 0}), (Bytes{0x04, 0, 0, 0, 0, 0x01, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(Encode(ValueRequest{0x378}), (Bytes{0x78, 0x03, 0, 0}));
    EXPECT_EQ(Encode(ValueRequest{0x93C00}), (Bytes{0x00, 0x3C, 0x09, 0}));
}

TEST(Records, SmallRecordsDecodeWhatTheyEncode)
{
    const Bytes word{0x03, 0, 0, 0, 0x7F, 0, 0, 0, 0xFF, 0xFF, 0, 0, 0x30, 0, 0, 0, 1, 2, 3, 4};
    const WordRecord record = DecodeRecord<WordRecord>(word);
    EXPECT_EQ(record.type, 3u);
    EXPECT_EQ(record.address, 0x7Fu);
    EXPECT_EQ(record.data, 0xFFFFu);
    EXPECT_EQ(record.status, 0x30u);
    EXPECT_EQ(record.reserved, 0x04030201u);

    const VersionRecord version =
        DecodeRecord<VersionRecord>(Bytes{2, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0x0F, 0x27, 0, 0});
    EXPECT_EQ(version.major, 2u);
    EXPECT_EQ(version.minor, 1u);
    EXPECT_EQ(version.revision, 9999u);
    EXPECT_EQ(version.reserved, 0u) << "bytes missing from a short reply read as zero";

    EXPECT_EQ(DecodeRecord<FillRecord>(Encode(FillRecord{5, 0xBEEF, 7, 0})).data, 0xBEEFu);
    EXPECT_EQ(DecodeRecord<EraseRecord>(Encode(EraseRecord{5, 0x1FF, 7, 0})).address, 0x1FFu);
    EXPECT_EQ(DecodeRecord<EralRecord>(Encode(EralRecord{5, 9, 0})).status, 9u);
    EXPECT_EQ(DecodeRecord<ValueRequest>(Bytes{0x00, 0x3C, 0x09, 0}).value, 0x93C00u);
}

TEST(Records, ImageRecordPlacesEveryWordSlotAndTheTrailingFields)
{
    ImageRecord record{.type = 6};
    for (std::size_t i = 0; i < ImageRecord::kWordSlots; ++i)
        record.words[i] = static_cast<std::uint32_t>(0xA000 + i);
    record.status = 0x11223344;
    const Bytes bytes = Encode(record);

    ASSERT_EQ(bytes.size(), 4108u);
    EXPECT_EQ(Bytes(bytes.begin(), bytes.begin() + 8), (Bytes{6, 0, 0, 0, 0x00, 0xA0, 0, 0}));
    EXPECT_EQ(Bytes(bytes.begin() + 4096, bytes.end()),
              (Bytes{0xFF, 0xA3, 0, 0, 0x44, 0x33, 0x22, 0x11, 0, 0, 0, 0}));

    const ImageRecord decoded = DecodeRecord<ImageRecord>(bytes);
    EXPECT_EQ(decoded.words, record.words);
    EXPECT_EQ(decoded.status, 0x11223344u);
}

TEST(Records, ByteImageRecordHoldsAByteASlotForEveryCellOfAnEightBit93C86)
{
    ByteImageRecord record{.type = 6};
    for (std::size_t i = 0; i < ByteImageRecord::kByteSlots; ++i)
        record.bytes[i] = static_cast<std::uint8_t>(i * 7);
    record.status = 0x11223344;
    const Bytes bytes = Encode(record);

    ASSERT_EQ(bytes.size(), 2060u);
    EXPECT_EQ(Bytes(bytes.begin(), bytes.begin() + 6), (Bytes{6, 0, 0, 0, 0x00, 0x07}));
    EXPECT_EQ(Bytes(bytes.begin() + 2050, bytes.end()),
              (Bytes{0xF2, 0xF9, 0x44, 0x33, 0x22, 0x11, 0, 0, 0, 0}));
    const ByteImageRecord decoded = DecodeRecord<ByteImageRecord>(bytes);
    EXPECT_EQ(decoded.bytes, record.bytes);
    EXPECT_EQ(decoded.status, 0x11223344u);

    EXPECT_EQ(
        Encode(OrganisationDetectRecord{3, 8, 8, 0x0406, 0, 0}),
        (Bytes{3, 0, 0, 0, 8, 0, 0, 0, 8, 0, 0, 0, 0x06, 0x04, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(ChipTypeBit(3, 8) | ChipTypeBit(2, 16) | ChipTypeBit(3, 16), 0x0406u);
}

TEST(Records, EncodingIntoAShortBufferStopsAtItsEnd)
{
    Bytes shortBuffer(6, 0xEE);
    EncodeRecord(WordRecord{2, 0x0102, 0, 0, 0}, shortBuffer);
    EXPECT_EQ(shortBuffer, (Bytes{2, 0, 0, 0, 0x02, 0x01}));
}

} // namespace
} // namespace pemrix
