#include "driver/RequestCodes.h"
#include "driver/RequestRecords.h"
#include "driver/WholeChipCommands.h"
#include "tests/driver/LinkExpectations.h"
#include "tests/driver/ScriptedDriverLink.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>

namespace pemrix {
namespace {

constexpr std::uint32_t kPort = 0x93C00;

const ExpectedControl kSetPort = ValueRequestSent(REQ_SET_PORT, kPort);

// An image record as sent: the type, then `words` in the first slots and zeros after them.
ExpectedControl ImageRequest(std::uint32_t code, std::uint32_t type,
                             const std::vector<std::uint32_t>& words = {})
{
    std::vector<std::uint8_t> bytes = FieldBytes({type});
    for (std::size_t i = 0; i < ImageRecord::kWordSlots + 2; ++i) {
        const std::vector<std::uint8_t> field = FieldBytes({i < words.size() ? words[i] : 0});
        bytes.insert(bytes.end(), field.begin(), field.end());
    }
    return {code, bytes, 4108};
}

std::vector<std::uint32_t> CountingWords(std::size_t count)
{
    std::vector<std::uint32_t> words(count);
    std::iota(words.begin(), words.end(), 0x0100u);
    return words;
}

TEST(WholeChipCommands, ReadAllReadsTwiceAndReturnsTheChipsWords)
{
    ScriptedDriverLink link;
    const std::vector<std::uint32_t> chip = CountingWords(1024);
    std::copy(chip.begin(), chip.end(), link.Words().begin());

    const ImageCommandResult result = ReadAll(link, kPort, 6);

    ASSERT_TRUE(result.succeeded);
    EXPECT_EQ(result.words, chip);
    ExpectConversation(link, 0x80,
                       {kSetPort, ImageRequest(REQ_READ_ALL, 6), ImageRequest(REQ_READ_ALL, 6)});
}

TEST(WholeChipCommands, ReadAllOnASmallChipUsesOnlyItsSlots)
{
    ScriptedDriverLink link;
    link.Script(REQ_READ_ALL, 1, {.patch = ScriptedDriverLink::ReplyImageWord(64, 0x1111)});
    link.Script(REQ_READ_ALL, 2, {.patch = ScriptedDriverLink::ReplyImageWord(64, 0x2222)});

    const ImageCommandResult result = ReadAll(link, kPort, 1);

    ASSERT_TRUE(result.succeeded) << "slots beyond the word count are not compared";
    EXPECT_EQ(result.words, std::vector<std::uint32_t>(64, 0xFFFF));
}

TEST(WholeChipCommands, WriteAllSendsTheCallersWordsAndVerifiesThem)
{
    ScriptedDriverLink link;
    const std::vector<std::uint32_t> image = CountingWords(256);

    ASSERT_TRUE(WriteAll(link, kPort, 4, image).succeeded);

    EXPECT_TRUE(std::equal(image.begin(), image.end(), link.Words().begin()));
    ExpectConversation(link, 0x80,
                       {kSetPort, ValueRequestSent(REQ_WRITE_ENABLE, 4),
                        ImageRequest(REQ_WRITE_ALL, 4, image),
                        ValueRequestSent(REQ_WRITE_DISABLE, 4), ImageRequest(REQ_READ_ALL, 4)});
}

TEST(WholeChipCommands, WriteAllSendsZeroBeyondTheWordCountAndTheDefaultTypeForAnUnknownOne)
{
    ScriptedDriverLink link;
    const std::vector<std::uint32_t> tooMany = CountingWords(300);

    ASSERT_TRUE(WriteAll(link, kPort, 0, tooMany).succeeded);

    const std::vector<std::uint32_t> sent(tooMany.begin(), tooMany.begin() + 128);
    EXPECT_EQ(link.Calls()[3].input, ImageRequest(REQ_WRITE_ALL, 2, sent).input);
}

TEST(WholeChipCommands, WralFillsEveryWordAndReportsTheFillData)
{
    ScriptedDriverLink link;

    const FillCommandResult result = Wral(link, kPort, 1, 0x00A5);

    ASSERT_TRUE(result.succeeded);
    EXPECT_EQ(result.data, 0x00A5u);
    EXPECT_EQ(result.words, std::vector<std::uint32_t>(64, 0x00A5));
    EXPECT_EQ(link.Words()[64], 0xFFFFu) << "the simulated chip has only 64 words";
    ExpectConversation(link, 0x80,
                       {kSetPort,
                        ValueRequestSent(REQ_WRITE_ENABLE, 1),
                        {REQ_WRAL, FieldBytes({1, 0x00A5, 0, 0}), 16},
                        ValueRequestSent(REQ_WRITE_DISABLE, 1),
                        ImageRequest(REQ_READ_ALL, 1)});
}

TEST(WholeChipCommands, EralErasesEveryWord)
{
    ScriptedDriverLink link;
    link.Words().fill(0);

    const ImageCommandResult result = Eral(link, kPort, 3);

    ASSERT_TRUE(result.succeeded);
    EXPECT_EQ(result.words, std::vector<std::uint32_t>(128, 0xFFFF));
    ExpectConversation(link, 0x80,
                       {kSetPort,
                        ValueRequestSent(REQ_WRITE_ENABLE, 3),
                        {REQ_ERAL, FieldBytes({3, 0, 0}), 12},
                        ValueRequestSent(REQ_WRITE_DISABLE, 3),
                        ImageRequest(REQ_READ_ALL, 3)});
}

TEST(WholeChipCommands, ReadBackMismatchesGive1000AndNoWords)
{
    struct MismatchCase
    {
        const char* name;
        std::function<ImageCommandResult(DriverLink&)> run;
        int readOccurrence;
        std::size_t slot;
        std::uint32_t value;
    };
    const std::vector<MismatchCase> cases{
        {"ReadAll whose reads differ in the last word",
         [](DriverLink& link) { return ReadAll(link, kPort, 2); }, 2, 127, 0x0000},
        {"WRAL with one word not filled",
         [](DriverLink& link) { return ImageCommandResult(Wral(link, kPort, 1, 0x00A5)); }, 1, 0,
         0x00A4},
        {"ERAL with one word reading FFFE", [](DriverLink& link) { return Eral(link, kPort, 2); },
         1, 5, 0xFFFE},
        {"WriteAll reading back another word",
         [](DriverLink& link) {
             const std::vector<std::uint32_t> image(1024, 0x1234);
             return ImageCommandResult{WriteAll(link, kPort, 6, image)};
         },
         1, 1023, 0x1230},
    };
    for (const MismatchCase& mismatch : cases) {
        SCOPED_TRACE(mismatch.name);
        ScriptedDriverLink link;
        link.Script(REQ_READ_ALL, mismatch.readOccurrence,
                    {.patch = ScriptedDriverLink::ReplyImageWord(mismatch.slot, mismatch.value)});

        const ImageCommandResult result = mismatch.run(link);

        EXPECT_FALSE(result.succeeded);
        EXPECT_EQ(result.errorCode, 0x1000u);
        EXPECT_TRUE(result.words.empty()) << "a failed command must not rebuild the dump";
        EXPECT_EQ(link.OpenHandles(), 0);
    }
}

} // namespace
} // namespace pemrix
