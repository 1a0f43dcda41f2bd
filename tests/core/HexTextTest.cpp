#include "core/HexText.h"

#include <gtest/gtest.h>

namespace pemrix {
namespace {

TEST(HexText, FieldRuleTakesOneToFourHexDigitsOnly)
{
    struct Case
    {
        const char* text;
        std::optional<std::uint32_t> value;
    };
    const Case cases[] = {
        {"", std::nullopt},   {"12345", std::nullopt}, {"00 1", std::nullopt},
        {"G1", std::nullopt}, {" 1", std::nullopt},    {"2b", 0x2B},
        {"3F", 0x3F},         {"FFFF", 0xFFFF},        {"0", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(ParseHexField(c.text), c.value);
    }
}

TEST(HexText, PrefixParsingStopsAtTheFirstNonDigit)
{
    EXPECT_EQ(ParseHexPrefix("37G"), 0x37u);
    EXPECT_EQ(ParseHexPrefix("G"), 0u);
    EXPECT_EQ(ParseHexPrefix(""), 0u);
    EXPECT_EQ(ParseHexPrefix("  1a"), 0x1Au);
    EXPECT_EQ(ParseHexPrefix("FFFFFFFFFF"), 0xFFFFFFFFu);
}

TEST(HexText, FourDigitFormatKeepsLongerValuesWhole)
{
    EXPECT_EQ(FormatHex4(0x5), "0005");
    EXPECT_EQ(FormatHex4(0xAB), "00AB");
    EXPECT_EQ(FormatHex4(0x12340), "12340");
}

TEST(HexText, PaddingAndUpperCase)
{
    EXPECT_EQ(ZeroPad("2b", 4), "002b");
    EXPECT_EQ(ZeroPad("12345", 4), "12345");
    EXPECT_EQ(ToUpperAscii("2b-x"), "2B-X");
}

} // namespace
} // namespace pemrix
