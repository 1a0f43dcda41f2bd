#include "core/WatchValueFormat.h"

#include <gtest/gtest.h>

namespace pemrix {
namespace {

TEST(WatchValueFormat, FormatsInEachBaseWithoutPadding)
{
    struct Case
    {
        std::uint32_t value;
        const char* code;
        const char* text;
    };
    const Case cases[] = {
        {0, "H", "0"},     {0, "D", "0"},
        {0, "B", "0"},     {0, "O", "0"},
        {0x2B, "H", "2B"}, {0x2B, "D", "43"},
        {0x2B, "O", "53"}, {0x5, "B", "101"},
        {0xAB, "H", "AB"}, {0xFFFFFFFF, "D", "4294967295"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.code);
        EXPECT_EQ(FormatWatchValue(c.value, c.code), c.text);
    }
}

TEST(WatchValueFormat, ErasedTextsEqualTheFormattedErasedWord)
{
    const std::pair<const char*, const char*> erased[] = {
        {"H", "FFFF"}, {"D", "65535"}, {"B", "1111111111111111"}, {"O", "177777"}};
    for (const auto& [code, text] : erased) {
        EXPECT_EQ(FormatWatchValue(0xFFFF, code), text);
        EXPECT_EQ(ParseWatchValue(text, code), 0xFFFFu);
    }
}

TEST(WatchValueFormat, OnlyTheFourExactCodesNameAFormat)
{
    for (const char* code : {"h", "HEX", "", " H", "H ", "X"}) {
        SCOPED_TRACE(code);
        EXPECT_FALSE(FormatWatchValue(1, code));
        EXPECT_FALSE(ParseWatchValue("1", code));
    }
}

TEST(WatchValueFormat, ParsingStopsAtTheFirstInvalidDigit)
{
    EXPECT_EQ(ParseWatchValue("65535", "D"), 65535u);
    EXPECT_EQ(ParseWatchValue("12", "B"), 1u);
    EXPECT_EQ(ParseWatchValue("ab", "H"), 0xABu);
    EXPECT_EQ(ParseWatchValue("  17", "O"), 15u);
    EXPECT_EQ(ParseWatchValue("", "H"), 0u);
    EXPECT_EQ(ParseWatchValue("x1", "D"), 0u);
}

} // namespace
} // namespace pemrix
