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
        MemoryImage image;
        ResetImage(image, type.code);
        const std::string dump = RenderDump(image);
        ASSERT_EQ(dump.size(), 46 * type.rows - 1);
        for (std::uint32_t r = 0; r < type.rows; ++r) {
            EXPECT_EQ(dump.substr(46 * r, 45),
                      FormatHex4(8 * r) + "H" + std::string(ErasedRowText()));
            if (r + 1 < type.rows) {
                EXPECT_EQ(dump[46 * r + 45], '\n');
            }
        }
        for (std::uint32_t i = 0; i < type.words; ++i)
            EXPECT_EQ(GetImageWord(image, i), kErasedWord);
    }
}

TEST(DumpText, LastLabelsOfTheLargestAndSmallestTypes)
{
    MemoryImage image;
    ResetImage(image, 6);
    std::string dump = RenderDump(image);
    EXPECT_EQ(dump.size(), 5887u);
    EXPECT_EQ(dump.substr(46 * 127, 5), "03F8H");
    ResetImage(image, 2);
    dump = RenderDump(image);
    EXPECT_EQ(dump.substr(0, 5), "0000H");
    EXPECT_EQ(dump.substr(46 * 15, 5), "0078H");
}

TEST(DumpText, LoadAndStripRoundTripForEveryType)
{
    for (const EepromTypeInfo& type : EepromTypes()) {
        SCOPED_TRACE(std::string(type.name));
        MemoryImage image;
        const std::vector<std::uint32_t> words = CountingWords(type.words);
        std::vector<std::uint32_t> reported;
        LoadImageWords(image, type.code, words, [&](std::uint32_t address, std::uint32_t value) {
            EXPECT_EQ(address, reported.size());
            EXPECT_EQ(GetImageWord(image, address), value);
            reported.push_back(value);
        });
        EXPECT_EQ(reported, words);
        const std::string dump = RenderDump(image);
        ASSERT_EQ(dump.size(), 46 * type.rows - 1);
        for (std::uint32_t i = 0; i < type.words; ++i)
            EXPECT_EQ(dump.substr(WordTextOffset(i), 4), FormatHex4(words[i]));
        EXPECT_EQ(image.Cells(), words);

        const std::string stripped = ImageDigits(image);
        ASSERT_EQ(stripped.size(), 4u * type.words);
        for (std::uint32_t i = 0; i < type.words; ++i)
            EXPECT_EQ(stripped.substr(4 * i, 4), FormatHex4(words[i]));
    }
}

TEST(DumpText, SetImageWordPatchesOnlyThatWord)
{
    MemoryImage image;
    ResetImage(image, 1);
    SetImageWord(image, 5, "000A");
    const std::string dump = RenderDump(image);
    EXPECT_EQ(dump.substr(31, 4), "000A");
    EXPECT_EQ(GetImageWord(image, 5), 0xAu);
    EXPECT_EQ(GetImageWord(image, 4), 0xFFFFu);
    EXPECT_EQ(GetImageWord(image, 6), 0xFFFFu);
    EXPECT_EQ(dump.size(), 46u * 8 - 1);
}

TEST(DumpText, WordsBeyondTheTextReadZero)
{
    MemoryImage image;
    ResetImage(image, 1);
    EXPECT_EQ(GetImageWord(image, 64), 0u);
    EXPECT_EQ(GetImageWord(image, 0xFFFF), 0u);
}

TEST(DumpText, LowerCaseDigitsSurviveTheStrip)
{
    MemoryImage image;
    ResetImage(image, 1);
    SetImageWord(image, 0, "12ab");
    EXPECT_EQ(ImageDigits(image).substr(0, 4), "12ab");
    EXPECT_EQ(RenderDump(image).substr(6, 4), "12ab");
    EXPECT_EQ(image.Cells()[0], 0x12ABu);
    // A word the program writes is upper case again.
    LoadImageWords(image, 1, image.Cells());
    EXPECT_EQ(ImageDigits(image).substr(0, 4), "12AB");
}

} // namespace
} // namespace pemrix
