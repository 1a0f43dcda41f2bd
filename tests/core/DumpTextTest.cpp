#include "core/DumpText.h"

#include "core/HexText.h"

#include <gtest/gtest.h>


namespace pemrix {
namespace {

std::vector<std::uint32_t> CountingWords(std::uint32_t count)
{
    std::vector<std::uint32_t> words(count);
    for (std::uint32_t i = 0; i < count; ++i)
        words[i] = (i * 0x0101u + 0x1234u) & 0xFFFF;
    return words;
}

TEST(DumpText, WordOffsetsFollowTheRowLayout)
{
    EXPECT_EQ(WordTextOffset(0), 6u);
    EXPECT_EQ(WordTextOffset(5), 31u);
    EXPECT_EQ(WordTextOffset(0x3F), 363u);
    EXPECT_EQ(WordTextOffset(0x3FF), 5883u);
}

TEST(DumpText, ResetGivesAnErasedImageOfEveryType)
{
    for (const EepromTypeInfo& type : EepromTypes()) {
        SCOPED_TRACE(std::string(type.name));
        std::string dump = "junk";
        ResetImage(dump, type.code);
        ASSERT_EQ(dump.size(), 46 * type.rows - 1);
        for (std::uint32_t r = 0; r < type.rows; ++r) {
            EXPECT_EQ(dump.substr(46 * r, 45),
                      FormatHex4(8 * r) + "H" + std::string(ErasedRowText()));
            if (r + 1 < type.rows) {
                EXPECT_EQ(dump[46 * r + 45], '\n');
            }
        }
        for (std::uint32_t i = 0; i < type.words; ++i)
            EXPECT_EQ(GetImageWord(dump, i), kErasedWord);
    }
}

TEST(DumpText, LastLabelsOfTheLargestAndSmallestTypes)
{
    std::string dump;
    ResetImage(dump, 6);
    EXPECT_EQ(dump.size(), 5887u);
    EXPECT_EQ(dump.substr(46 * 127, 5), "03F8H");
    ResetImage(dump, 2);
    EXPECT_EQ(dump.substr(0, 5), "0000H");
    EXPECT_EQ(dump.substr(46 * 15, 5), "0078H");
}

TEST(DumpText, LoadAndStripRoundTripForEveryType)
{
    for (const EepromTypeInfo& type : EepromTypes()) {
        SCOPED_TRACE(std::string(type.name));
        std::string dump;
        ResetImage(dump, type.code);
        const std::vector<std::uint32_t> words = CountingWords(type.words);
        std::vector<std::uint32_t> reported;
        LoadImageWords(dump, type.code, words, [&](std::uint32_t address, std::uint32_t value) {
            EXPECT_EQ(address, reported.size());
            EXPECT_EQ(dump.substr(WordTextOffset(address), 4), FormatHex4(value));
            reported.push_back(value);
        });
        EXPECT_EQ(reported, words);
        ASSERT_EQ(dump.size(), 46 * type.rows - 1);
        EXPECT_EQ(ImageWords(dump, type.code), words);

        const std::string stripped = StripImage(dump, type.rows);
        ASSERT_EQ(stripped.size(), 4u * type.words);
        for (std::uint32_t i = 0; i < type.words; ++i)
            EXPECT_EQ(stripped.substr(4 * i, 4), FormatHex4(words[i]));
    }
}

TEST(DumpText, SetImageWordPatchesOnlyThatWord)
{
    std::string dump;
    ResetImage(dump, 1);
    SetImageWord(dump, 5, "000A");
    EXPECT_EQ(dump.substr(31, 4), "000A");
    EXPECT_EQ(GetImageWord(dump, 5), 0xAu);
    EXPECT_EQ(GetImageWord(dump, 4), 0xFFFFu);
    EXPECT_EQ(GetImageWord(dump, 6), 0xFFFFu);
    EXPECT_EQ(dump.size(), 46u * 8 - 1);
}

TEST(DumpText, WordsBeyondTheTextReadZero)
{
    std::string dump;
    ResetImage(dump, 1);
    EXPECT_EQ(GetImageWord(dump, 64), 0u);
    EXPECT_EQ(GetImageWord(dump, 0xFFFF), 0u);
}

TEST(DumpText, LowerCaseDigitsSurviveTheStrip)
{
    std::string dump;
    ResetImage(dump, 1);
    SetImageWord(dump, 0, "12ab");
    EXPECT_EQ(StripImage(dump, 8).substr(0, 4), "12ab");
    EXPECT_EQ(ImageWords(dump, 1)[0], 0x12ABu);
}

} // namespace
} // namespace pemrix
