#include "files/BinaryImageCodec.h"
#include "files/ImageFileOpen.h"
#include "files/ImageFileSave.h"
#include "files/IntelHexCodec.h"

#include "RomTestFiles.h"
#include "support/TemporaryFolder.h"
#include "core/DumpText.h"
#include "files/NativeFileSystem.h"

#include <cstdio>
#include <numeric>

#include <gtest/gtest.h>

namespace pemrix {
namespace {

// One Intel HEX line with its checksum worked out here, apart from the encoder.
std::string HexLine(unsigned offset, unsigned type, const std::vector<unsigned>& data)
{
    std::vector<unsigned> bytes{static_cast<unsigned>(data.size()), offset >> 8, offset & 0xFF,
                                type};
    bytes.insert(bytes.end(), data.begin(), data.end());
    bytes.push_back((0x100 - std::accumulate(bytes.begin(), bytes.end(), 0u) % 0x100) % 0x100);
    std::string line = ":";
    for (const unsigned byte : bytes) {
        char digits[3];
        std::snprintf(digits, sizeof digits, "%02X", byte);
        line += digits;
    }
    return line + "\n";
}

// A 93C46 image of 0xA5 bytes in records of `perRecord` bytes, last record first.
std::string Hex93C46(unsigned perRecord)
{
    std::string file;
    for (unsigned at = 128; at > 0;) {
        const unsigned start = at > perRecord ? at - perRecord : 0;
        file = HexLine(start, 0, std::vector<unsigned>(at - start, 0xA5)) + file;
        at = start;
    }
    return file + ":00000001FF\n";
}

TEST(RawImageFile, EveryKindLoadsWhatItSavesForEveryType)
{
    TemporaryFolder folder;
    NativeFileSystem fileSystem;
    for (const EepromTypeInfo& type : AllEepromTypes())
        for (const ImageFileKind& kind : ImageFileKinds(type.organisation)) {
            SCOPED_TRACE(std::string(kind.dialogFilter) + " " + ChipTypeName(type));
            const MemoryImage dump = CountingDump(type);
            const std::string path = folder.PathOf("image");
            ASSERT_EQ(SaveImageFile(fileSystem, path, dump, type, kind), std::nullopt);
            const RomOpenResult opened = OpenImageFile(fileSystem, path, type, kind);
            ASSERT_EQ(opened.outcome, RomOpenOutcome::Accepted) << opened.message.strText;
            EXPECT_EQ(RenderDump(*opened.image), RenderDump(dump));
            ASSERT_EQ(opened.refreshes.size(), type.words);
            EXPECT_EQ(opened.refreshes[1], (RomWordRefresh{1, type.cellBits == 8 ? "35" : "1335"}));
        }
}

TEST(RawImageFile, TheByteOrderDecidesWhichByteOfAWordComesFirst)
{
    const MemoryImage dump = CountingDump(*FindEepromType(1)); // word 0 is 0x1234
    EXPECT_EQ(EncodeBinaryImage(dump, Type(1), WordByteOrder::LittleEndian)->substr(0, 4),
              "\x34\x12\x35\x13");
    EXPECT_EQ(EncodeBinaryImage(dump, Type(1), WordByteOrder::BigEndian)->substr(0, 4),
              "\x12\x34\x13\x35");
    EXPECT_EQ(EncodeIntelHex(dump, Type(1), WordByteOrder::LittleEndian)->substr(0, 17),
              ":1000000034123513");
    EXPECT_EQ(EncodeIntelHex(dump, Type(1), WordByteOrder::BigEndian)->substr(0, 17),
              ":1000000012341335");
    EXPECT_EQ(EncodeIntelHex(dump, Type(1), WordByteOrder::BigEndian)->substr(8 * 45),
              ":00000001FF\r\n");

    const RomOpenResult swapped =
        DecodeBinaryImage(*EncodeBinaryImage(dump, Type(1), WordByteOrder::LittleEndian), 128,
                          Type(1), WordByteOrder::BigEndian);
    EXPECT_EQ(GetImageWord(*swapped.image, 0), 0x3412u);

    // An 8-bit image is its bytes in address order, whichever order is asked for.
    const EepromTypeInfo& bytes = *FindEepromType(1, EepromOrganisation::Bytes8);
    const MemoryImage byteDump = CountingDump(bytes); // cell i is 0x34 + i
    for (const WordByteOrder order : {WordByteOrder::LittleEndian, WordByteOrder::BigEndian}) {
        const std::string binary = *EncodeBinaryImage(byteDump, bytes, order);
        ASSERT_EQ(binary.size(), 128u);
        EXPECT_EQ(binary.substr(0, 3), "\x34\x35\x36");
        EXPECT_EQ(binary.back(), '\xB3');
        EXPECT_EQ(EncodeIntelHex(byteDump, bytes, order)->substr(0, 17), ":1000000034353637");
        EXPECT_EQ(EncodeIntelHex(byteDump, bytes, order)->substr(8 * 45), ":00000001FF\r\n");
        const RomOpenResult opened = DecodeBinaryImage(binary, 128, bytes, order);
        EXPECT_EQ(opened.image->Cells(), byteDump.Cells());
    }
}

TEST(RawImageFile, ABinaryFileOfAnotherSizeIsRefusedNamingTheTypeItFits)
{
    struct Case
    {
        std::size_t size;
        EepromType selected;
        std::string_view text;
    };
    const Case cases[] = {
        {256, 1, "The type of the binary file is 93C56."},
        {2048, 3, "The type of the binary file is 93C86."},
        {128, 6, "The type of the binary file is 93C46."},
        {129, 1, "The binary file holds 129 bytes; a 93C46 image holds 128."},
        {0, 4, "The binary file holds 0 bytes; a 93C66 image holds 512."},
    };
    for (const Case& c : cases) {
        const RomOpenResult result = DecodeBinaryImage(
            std::string(c.size, '\0'), c.size, Type(c.selected), WordByteOrder::LittleEndian);
        EXPECT_EQ(result.outcome, RomOpenOutcome::Message);
        EXPECT_EQ(result.message.strText, c.text);
        EXPECT_EQ(result.message.strCaption, "Open File Error");
        EXPECT_FALSE(result.image);
    }
    // 93C56 and 93C57 share their size, as their ROM files do.
    EXPECT_EQ(
        DecodeBinaryImage(std::string(256, '\0'), 256, Type(3), WordByteOrder::BigEndian).outcome,
        RomOpenOutcome::Accepted);
}

TEST(RawImageFile, IntelHexTakesRecordsOfAnyLengthAndOrderAndAddressRecords)
{
    const std::string start = HexLine(0, 5, {0, 0, 0, 0});
    const std::string linearZero = HexLine(0, 4, {0, 0});
    const std::string segmentZero = HexLine(0, 2, {0, 0});
    const std::string accepted[] = {
        Hex93C46(16),
        Hex93C46(1),
        Hex93C46(255),
        linearZero + segmentZero + Hex93C46(7),
        start + Hex93C46(32) + "\n\r\n",
        HexLine(0, 4, {0, 1}) + HexLine(0, 4, {0, 0}) + Hex93C46(64),
    };
    for (const std::string& file : accepted) {
        const RomOpenResult result = DecodeIntelHex(file, Type(1), WordByteOrder::LittleEndian);
        ASSERT_EQ(result.outcome, RomOpenOutcome::Accepted) << file << result.message.strText;
        EXPECT_EQ(GetImageWord(*result.image, 63), 0xA5A5u);
    }
    std::string lower = Hex93C46(16);
    for (char& c : lower)
        c = static_cast<char>(std::tolower(c));
    EXPECT_EQ(DecodeIntelHex(lower, Type(1), WordByteOrder::BigEndian).outcome,
              RomOpenOutcome::Accepted);
}

TEST(RawImageFile, MalformedIntelHexIsRefusedNamingTheLineAndTheFault)
{
    const std::string good = Hex93C46(64); // lines 1 and 2 data, line 3 the end
    const std::string end = ":00000001FF\n";
    const std::string firstHalf = HexLine(0, 0, std::vector<unsigned>(64, 0xA5));
    const std::string secondHalf = HexLine(64, 0, std::vector<unsigned>(64, 0xA5));
    struct Case
    {
        std::string file;
        std::string_view text;
    };
    const Case cases[] = {
        {"X" + good, "Line 1 of the Intel HEX file does not start with a colon."},
        {firstHalf + "\n" + secondHalf + end,
         "Line 2 of the Intel HEX file does not start with a colon."},
        {firstHalf + ":10000G00\n" + end,
         "Line 2 of the Intel HEX file holds a character that is not a hexadecimal digit."},
        {firstHalf + secondHalf + ":00000001F\n",
         "Line 3 of the Intel HEX file holds an odd number of hexadecimal digits."},
        {firstHalf + ":0200000000FE\n" + end,
         "Line 2 of the Intel HEX file does not hold as many data bytes as its byte count says."},
        {firstHalf + secondHalf + ":00000001FE\n",
         "Line 3 of the Intel HEX file has a wrong checksum."},
        {firstHalf + secondHalf + HexLine(0, 6, {}) + end,
         "Line 3 of the Intel HEX file has a record type other than 00 to 05."},
        {HexLine(0, 4, {0}) + good,
         "Line 1 of the Intel HEX file has an address record that does not hold two bytes."},
        {firstHalf + secondHalf + HexLine(0, 1, {1}),
         "Line 3 of the Intel HEX file has an end-of-file record that holds data."},
        {good + firstHalf, "Line 4 of the Intel HEX file follows the end-of-file record."},
        {firstHalf + secondHalf + HexLine(0x7F, 0, {1}) + end,
         "Line 3 of the Intel HEX file gives byte 0x007F a second time."},
        {good.substr(0, good.size() - end.size()) + HexLine(0x800, 0, {1}) + end,
         "Line 3 of the Intel HEX file puts data at byte 0x0800, beyond the 128 bytes of a "
         "93C46."},
        {good.substr(0, good.size() - end.size()) + HexLine(0x81, 0, {1}) + end,
         "Line 3 of the Intel HEX file puts data at byte 0x0081, beyond the 128 bytes of a "
         "93C46."},
        {HexLine(0, 4, {0, 1}) + good,
         "Line 2 of the Intel HEX file puts data at byte 0x10000, beyond the 128 bytes of a "
         "93C46."},
        {firstHalf + secondHalf, "The Intel HEX file has no end-of-file record."},
        {firstHalf + end,
         "The Intel HEX file gives no value for byte 0x0040 of the 128 bytes of a 93C46."},
        {firstHalf + secondHalf + HexLine(128, 0, std::vector<unsigned>(128, 0)) + end,
         "The type of the Intel HEX file is 93C56."},
        {std::string(kLargestIntelHexFile + 1, ':'),
         "The Intel HEX file is too large to hold an EEPROM image."},
    };
    for (const Case& c : cases) {
        const RomOpenResult result = DecodeIntelHex(c.file, Type(1), WordByteOrder::LittleEndian);
        EXPECT_EQ(result.outcome, RomOpenOutcome::Message) << c.text;
        EXPECT_EQ(result.message.strText, c.text);
        EXPECT_EQ(result.message.strCaption, "Open File Error");
        EXPECT_FALSE(result.image);
    }
}

} // namespace
} // namespace pemrix
