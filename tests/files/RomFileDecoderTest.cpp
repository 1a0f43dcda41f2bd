#include "files/RomFileDecoder.h"

#include "RomTestFiles.h"
#include "core/DumpText.h"
#include "files/RomFileLayout.h"

#include <gtest/gtest.h>

namespace pemrix {
namespace {

std::string WithWord(std::string file, std::uint32_t address, std::string_view group)
{
    file.replace(kRomHeaderLength + 4 * address, 4, group);
    return file;
}

void ExpectMessage(const RomOpenResult& result, std::string_view text)
{
    EXPECT_EQ(result.outcome, RomOpenOutcome::Message);
    EXPECT_EQ(result.message.strText, text);
    EXPECT_EQ(result.message.strCaption, "Open File Error");
    EXPECT_EQ(result.message.icon, FileMessageIcon::None);
    EXPECT_FALSE(result.image);
    EXPECT_TRUE(result.refreshes.empty());
}

TEST(RomFileDecoder, EveryTypeAcceptsItsOwnFileWithEveryWordRefreshedInOrder)
{
    for (const EepromTypeInfo& type : AllEepromTypes()) {
        SCOPED_TRACE(ChipTypeName(type));
        const RomOpenResult result = DecodeRomFile(RomFileOf(type), type);
        ASSERT_EQ(result.outcome, RomOpenOutcome::Accepted);
        const std::string cells = CountingCellText(type);
        const std::size_t digits = type.cellBits / 4;
        EXPECT_EQ(ImageDigits(*result.image), cells);
        EXPECT_EQ(RenderDump(*result.image).substr(0, 5), "0000H");
        EXPECT_EQ(RenderDump(*result.image).size(), (6 + 8 * (1 + digits)) * type.rows - 1);
        ASSERT_EQ(result.refreshes.size(), type.words);
        for (std::uint32_t a = 0; a < type.words; ++a) {
            EXPECT_EQ(result.refreshes[a].nAddress, a);
            EXPECT_EQ(result.refreshes[a].strText, cells.substr(digits * a, digits));
        }
    }
}

TEST(RomFileDecoder, TheSisterTypesOpenEachOthersFiles)
{
    EXPECT_EQ(DecodeRomFile(RomFileOf(Type(2), Type(3)), Type(2)).outcome,
              RomOpenOutcome::Accepted);
    EXPECT_EQ(DecodeRomFile(RomFileOf(Type(3), Type(2)), Type(3)).outcome,
              RomOpenOutcome::Accepted);
}

TEST(RomFileDecoder, AWrongTypeFieldIsNamedByTheFileSizeAlone)
{
    struct Case
    {
        EepromType selected;
        std::string file;
        std::string_view text;
    };
    const std::string field46 = std::string(kRomMagic) + "93C46      \t";
    const Case cases[] = {
        {1, RomFileOf(Type(4)), "The type of the ROM file is 93C66."},
        {1, RomFileOf(Type(3)), "The type of the ROM file is 93C56."},
        {6, RomFileOf(Type(5)), "The type of the ROM file is 93C76."},
        {5, RomFileOf(Type(6)), "The type of the ROM file is 93C86."},
        {4, RomFileOf(Type(1)), "The type of the ROM file is 93C46."},
        {2, RomFileOf(Type(1), Type(4)), "The type of the ROM file is 93C46."},
        {1, field46 + CountingWordText(64), "The type of the ROM file is 93C46."},
        {1, RomFileOf(Type(2)) + "0", "The type of the ROM file is unknown."},
        {1, "ROM193C4", "The type of the ROM file is unknown."},
        {1, "ROM1", "The type of the ROM file is unknown."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file.substr(0, 16));
        ExpectMessage(DecodeRomFile(c.file, Type(c.selected)), c.text);
    }
}

// The type field names the organisation: "93C66 x8" in any case. A file of the other
// organisation is refused by name even where its size would fit, and the sisters still share.
TEST(RomFileDecoder, AFileOpensOnlyInTheOrganisationItsTypeFieldNames)
{
    const auto x8 = [](EepromType code) -> const EepromTypeInfo& {
        return *FindEepromType(code, EepromOrganisation::Bytes8);
    };
    EXPECT_EQ(RomTypeField(x8(4)), "93C66 x8    ");
    std::string lowerCase = RomFileOf(x8(4));
    lowerCase.replace(4, 8, "93c66 X8");
    EXPECT_EQ(DecodeRomFile(lowerCase, x8(4)).outcome, RomOpenOutcome::Accepted);
    EXPECT_EQ(DecodeRomFile(RomFileOf(x8(2), x8(3)), x8(2)).outcome, RomOpenOutcome::Accepted);
    EXPECT_EQ(RomFileOf(x8(4)).size(), RomFileOf(Type(4)).size());
    std::string unknownField = RomFileOf(x8(4));
    unknownField.replace(4, 12, "93C99 x8    ");
    const struct
    {
        const EepromTypeInfo& selected;
        std::string file;
        std::string_view text;
    } cases[] = {
        {x8(4), RomFileOf(Type(4)),
         "The ROM file holds a 16-bit image (93C66). Open it in 16-bit organisation."},
        {x8(1), RomFileOf(Type(6)),
         "The ROM file holds a 16-bit image (93C86). Open it in 16-bit organisation."},
        {Type(4), RomFileOf(x8(4)),
         "The ROM file holds an 8-bit image (93C66 x8). Open it in 8-bit organisation (ORG low)."},
        {x8(1), RomFileOf(x8(4)), "The type of the ROM file is 93C66 x8."},
        {x8(2), unknownField, "The type of the ROM file is 93C66 x8."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file.substr(0, 16));
        ExpectMessage(DecodeRomFile(c.file, c.selected), c.text);
    }
}

TEST(RomFileDecoder, AFileWithoutTheMagicIsOfUnknownType)
{
    for (const std::string file : {"", "R", "ROM", "ROM2", "XROM193C46", "ROM!93C46       "}) {
        SCOPED_TRACE(file);
        ExpectMessage(DecodeRomFile(file, Type(1)), "The ROM file type is unknown.");
    }
    ExpectMessage(DecodeRomFile("ROM2" + RomFileOf(Type(1)).substr(4), Type(1)),
                  "The ROM file type is unknown.");
}

TEST(RomFileDecoder, AFileOfTheWrongSizeIsIgnoredSilently)
{
    const std::string file = RomFileOf(Type(1));
    for (const std::string& sized : {file + "F", file.substr(0, file.size() - 1)}) {
        const RomOpenResult result = DecodeRomFile(sized, Type(1));
        EXPECT_EQ(result.outcome, RomOpenOutcome::Ignored);
        EXPECT_TRUE(result.message.strText.empty());
        EXPECT_FALSE(result.image);
        EXPECT_TRUE(result.refreshes.empty());
    }
}

TEST(RomFileDecoder, LowerCaseMagicTypeAndDigitsAreAcceptedAndKept)
{
    const std::string file =
        WithWord("rom1" + std::string("93c57       ") + CountingWordText(128), 5, "12ab");
    const RomOpenResult result = DecodeRomFile("Rom1" + file.substr(4), Type(3));
    ASSERT_EQ(result.outcome, RomOpenOutcome::Accepted);
    EXPECT_EQ(RenderDump(*result.image).substr(WordTextOffset(5), 4), "12ab");
    EXPECT_EQ(GetImageWord(*result.image, 5), 0x12ABu);
    EXPECT_EQ(result.refreshes[5], (RomWordRefresh{5, "12ab"}));
    EXPECT_EQ(DecodeRomFile(file, Type(2)).outcome, RomOpenOutcome::Accepted);
}

TEST(RomFileDecoder, AWordThatIsNotFourHexDigitsIsRefusedByItsAddress)
{
    struct Case
    {
        std::uint32_t address;
        std::string group;
        std::string_view text;
    };
    const Case cases[] = {
        {0x12,
         std::string("12\0"
                     "4",
                     4),
         "The ROM file holds an invalid word at address 0012."},
        {0x00, "G000", "The ROM file holds an invalid word at address 0000."},
        {0x3F, " 123", "The ROM file holds an invalid word at address 003F."},
        {0x20, "12\xC3\xA4", "The ROM file holds an invalid word at address 0020."},
        {0x01, "-001", "The ROM file holds an invalid word at address 0001."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        ExpectMessage(DecodeRomFile(WithWord(RomFileOf(Type(1)), c.address, c.group), Type(1)),
                      c.text);
    }
    // The first bad word is the one named.
    const std::string twoBad = WithWord(WithWord(RomFileOf(Type(6)), 0x3FF, "zzzz"), 0x200, "x000");
    ExpectMessage(DecodeRomFile(twoBad, Type(6)),
                  "The ROM file holds an invalid word at address 0200.");
}

} // namespace
} // namespace pemrix
