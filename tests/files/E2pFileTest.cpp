#include "files/E2pFileCodec.h"
#include "files/E2pFileLayout.h"

#include "RomTestFiles.h"
#include "core/DumpText.h"

#include <gtest/gtest.h>

namespace pemrix {
namespace {

// The CRC worked out here the long way, apart from the program's: the polynomial 0x8005 in
// its plain (not reflected) form over bit-reversed bytes, the result reversed back.
std::uint16_t Reversed(std::uint32_t value, int bits)
{
    std::uint32_t result = 0;
    for (int i = 0; i < bits; ++i)
        result |= ((value >> i) & 1u) << (bits - 1 - i);
    return static_cast<std::uint16_t>(result);
}

std::uint16_t ReferenceCrc(std::string_view bytes)
{
    std::uint32_t crc = 0;
    for (const char byte : bytes) {
        crc ^= static_cast<std::uint32_t>(Reversed(static_cast<std::uint8_t>(byte), 8)) << 8;
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc & 0x8000) ? ((crc << 1) ^ 0x8005) & 0xFFFF : (crc << 1) & 0xFFFF;
    }
    return Reversed(crc, 16);
}

unsigned Byte(std::string_view file, std::size_t at)
{
    return static_cast<std::uint8_t>(file[at]);
}

unsigned LittleEndianAt(std::string_view file, std::size_t at, std::size_t width)
{
    unsigned value = 0;
    for (std::size_t i = 0; i < width; ++i)
        value |= Byte(file, at + i) << (8 * i);
    return value;
}

void PutLittleEndian(std::string& file, std::size_t at, std::size_t width, unsigned value)
{
    for (std::size_t i = 0; i < width; ++i)
        file[at + i] = static_cast<char>((value >> (8 * i)) & 0xFF);
}

// Sets both CRCs of a file the way the format's documentation gives them.
void Seal(std::string& file)
{
    PutLittleEndian(file, 148, 2, ReferenceCrc(std::string_view(file).substr(152)));
    PutLittleEndian(file, 150, 2, ReferenceCrc(std::string_view(file).substr(0, 150)));
}

// An .e2p file built here from the documented layout: word i is 0x1234 + 0x0101 * i, high
// byte first.
std::string E2pFileOf(unsigned typeCode, unsigned words)
{
    std::string file(152, '\0');
    file.replace(0, 8, "E2P!Lanc");
    PutLittleEndian(file, 10, 4, typeCode);
    PutLittleEndian(file, 14, 4, 2 * words);
    file[23] = 2;
    for (unsigned i = 0; i < words; ++i) {
        const unsigned word = (0x1234 + 0x0101 * i) & 0xFFFF;
        file += static_cast<char>(word >> 8);
        file += static_cast<char>(word & 0xFF);
    }
    Seal(file);
    return file;
}

// The 93-series codes of the format's device list (eeptypes.h of the programmer that
// defines .e2p: family 0x04 "E93X6" for 16-bit parts, 0x0D "E93XX_8" for 8-bit ones).
struct KnownCode
{
    EepromType type;
    unsigned words;
    unsigned bytes;
};
constexpr KnownCode kKnownCodes[] = {
    {1, 0x040004, 0x0D0004}, {2, 0x040008, 0x0D0008}, {3, 0x040009, 0x0D0009},
    {4, 0x040010, 0x0D0010}, {5, 0x040020, 0x0D0020}, {6, 0x040040, 0x0D0040},
};

TEST(E2pFile, TheCrcIsTheOneTheFormatDocuments)
{
    EXPECT_EQ(E2pCrc16("123456789"), 0xBB3D); // the catalogue's check value of CRC-16/ARC
    EXPECT_EQ(E2pCrc16(""), 0);
}

TEST(E2pFile, TypeCodesAreTheFormatsForEveryTypeAndOrganisation)
{
    for (const KnownCode& known : kKnownCodes) {
        SCOPED_TRACE(known.type);
        EXPECT_EQ(E2pTypeCode(*FindEepromType(known.type, EepromOrganisation::Words16)),
                  known.words);
        EXPECT_EQ(E2pTypeCode(*FindEepromType(known.type, EepromOrganisation::Bytes8)),
                  known.bytes);
    }
}

TEST(E2pFile, SaveWritesEveryHeaderFieldAsTheFormatGivesIt)
{
    const std::time_t noonOn2024_03_05 = 1709640000;
    for (const KnownCode& known : kKnownCodes)
        for (const auto organisation : {EepromOrganisation::Words16, EepromOrganisation::Bytes8}) {
            const EepromTypeInfo& type = *FindEepromType(known.type, organisation);
            const bool bytes8 = organisation == EepromOrganisation::Bytes8;
            SCOPED_TRACE(ChipTypeName(type));
            const std::optional<std::string> saved =
                EncodeE2pFile(CountingDump(type), type, noonOn2024_03_05);
            ASSERT_TRUE(saved);
            const std::string& file = *saved;
            const unsigned memoryBytes = type.words * type.cellBits / 8;
            ASSERT_EQ(file.size(), 152 + memoryBytes);
            EXPECT_EQ(file.substr(0, 8), "E2P!Lanc");
            EXPECT_EQ(LittleEndianAt(file, 10, 4), bytes8 ? known.bytes : known.words);
            EXPECT_EQ(LittleEndianAt(file, 14, 4), memoryBytes);
            EXPECT_EQ(Byte(file, 23), 2u);
            const std::string comment = file.substr(58, 86);
            EXPECT_EQ(comment.substr(0, comment.find('\0')).substr(0, 10), "pemrix 202");
            EXPECT_EQ(comment.find_first_not_of('\0', comment.find('\0')), std::string::npos);
            // Fuse and lock bits, flags, split sizes, string id and program bits stay zero.
            for (const auto& [at, width] : {std::pair{8, 2}, {18, 5}, {24, 34}, {144, 4}})
                EXPECT_EQ(file.substr(at, width), std::string(width, '\0')) << "at " << at;
            EXPECT_EQ(LittleEndianAt(file, 148, 2), ReferenceCrc(file.substr(152)));
            EXPECT_EQ(LittleEndianAt(file, 150, 2), ReferenceCrc(file.substr(0, 150)));
            // Words high byte first; bytes in address order.
            EXPECT_EQ(file.substr(152, 4), bytes8 ? "\x34\x35\x36\x37" : "\x12\x34\x13\x35");
            EXPECT_EQ(DecodeE2pFile(file, file.size(), type).image->Cells(),
                      CountingDump(type).Cells());
        }
}

TEST(E2pFile, TheCommentCarriesTheLocalDateOfTheSave)
{
    const std::time_t savedAt = 1709640000;
    char date[16];
    std::strftime(date, sizeof date, "%Y-%m-%d", std::localtime(&savedAt));
    const std::string file = *EncodeE2pFile(CountingDump(*FindEepromType(1)), Type(1), savedAt);
    EXPECT_EQ(file.substr(58, 17), "pemrix " + std::string(date));
}

TEST(E2pFile, OpensAFileOfTheSelectedTypeOrItsSameSizedSister)
{
    for (const auto& [fileType, selected] : {std::pair{1u, 1u}, {2u, 3u}, {3u, 2u}, {6u, 6u}}) {
        const EepromTypeInfo& type = *FindEepromType(selected);
        const std::string file = E2pFileOf(kKnownCodes[fileType - 1].words, type.words);
        const RomOpenResult opened = DecodeE2pFile(file, file.size(), Type(selected));
        ASSERT_EQ(opened.outcome, RomOpenOutcome::Accepted) << opened.message.strText;
        EXPECT_EQ(opened.image->Cells(), CountingDump(type).Cells());
        EXPECT_EQ(opened.refreshes.back().nAddress, type.words - 1);
    }
}

TEST(E2pFile, RefusesWhatIsWrongWithAMessageAndNothingToInstall)
{
    const std::string good = E2pFileOf(0x040004, 64); // a 93C46
    const auto edited = [&](auto edit, bool seal) {
        std::string file = good;
        edit(file);
        if (seal)
            Seal(file);
        return file;
    };
    const struct
    {
        const char* what;
        std::string file;
        std::string message;
        bool bytes8 = false;
    } cases[] = {
        {"another id", edited([](std::string& f) { f[3] = '?'; }, true),
         "The .e2p file type is unknown."},
        {"shorter than a header", good.substr(0, 151), "The .e2p file type is unknown."},
        {"a header byte changed", edited([](std::string& f) { f[60] = 'x'; }, false),
         "The header of the .e2p file is corrupt: its CRC does not match."},
        {"a memory byte changed", edited([](std::string& f) { f[200] ^= 1; }, false),
         "The memory bytes of the .e2p file are corrupt: their CRC does not match."},
        {"a 93C66", edited([](std::string& f) { PutLittleEndian(f, 10, 4, 0x040010); }, true),
         "The type of the .e2p file is 93C66."},
        {"a 93C46 in bytes",
         edited([](std::string& f) { PutLittleEndian(f, 10, 4, 0x0D0004); }, true),
         "The type of the .e2p file is 93C46 in 8-bit organisation."},
        {"a 93C06", edited([](std::string& f) { PutLittleEndian(f, 10, 4, 0x040001); }, true),
         "The type of the .e2p file is 93C06."},
        {"a 24C02", edited([](std::string& f) { PutLittleEndian(f, 10, 4, 0x010001); }, true),
         "The .e2p file holds a device other than a 93-series EEPROM (type code 0x010001)."},
        {"a wrong size field", edited([](std::string& f) { PutLittleEndian(f, 14, 4, 256); }, true),
         "The .e2p file's header gives 256 bytes; a 93C46 image holds 128."},
        {"a byte too many", edited([](std::string& f) { f += '\xFF'; }, true),
         "The .e2p file holds 129 bytes after its header where the header gives 128."},
        {"a byte too few", edited([](std::string& f) { f.pop_back(); }, true),
         "The .e2p file holds 127 bytes after its header where the header gives 128."},
        {"a 93C46 in words for bytes", good,
         "The type of the .e2p file is 93C46 in 16-bit organisation.", true},
        {"a wrong size field for bytes",
         edited(
             [](std::string& f) {
                 PutLittleEndian(f, 10, 4, 0x0D0004);
                 PutLittleEndian(f, 14, 4, 64);
             },
             true),
         "The .e2p file's header gives 64 bytes; a 93C46 x8 image holds 128.", true},
    };
    const EepromTypeInfo& bytes46 = *FindEepromType(1, EepromOrganisation::Bytes8);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const RomOpenResult result =
            DecodeE2pFile(c.file, c.file.size(), c.bytes8 ? bytes46 : Type(1));
        EXPECT_EQ(result.outcome, RomOpenOutcome::Message);
        EXPECT_EQ(result.message.strText, c.message);
        EXPECT_EQ(result.message.strCaption, "Open File Error");
        EXPECT_TRUE(!result.image && result.refreshes.empty());
    }
}

} // namespace
} // namespace pemrix
