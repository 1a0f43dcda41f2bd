#include "files/RomFileEncoder.h"

#include "RomTestFiles.h"
#include "core/DumpText.h"
#include "files/RomFileDecoder.h"

#include <gtest/gtest.h>

namespace pemrix {
namespace {

TEST(RomFileEncoder, WritesTheHeaderAndEveryWordOfTheSelectedType)
{
    struct Case
    {
        EepromType code;
        std::size_t size;
        std::string_view header;
    };
    const Case cases[] = {
        {1, 272, "ROM193C46       "},  {2, 528, "ROM193C56       "},  {3, 528, "ROM193C57       "},
        {4, 1040, "ROM193C66       "}, {5, 2064, "ROM193C76       "}, {6, 4112, "ROM193C86       "},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.header);
        MemoryImage dump;
        ResetImage(dump, c.code);
        const std::optional<std::string> file = EncodeRomFile(dump, Type(c.code));
        ASSERT_TRUE(file);
        EXPECT_EQ(file->size(), c.size);
        EXPECT_EQ(file->substr(0, 16), c.header);
        EXPECT_EQ(file->find_first_not_of('F', 16), std::string::npos);
    }
}

TEST(RomFileEncoder, OpenThenSaveRewritesOnlyMagicAndTypeField)
{
    std::string words = CountingWordText(128);
    words.replace(4 * 9, 4, "12ab");
    const RomOpenResult opened =
        DecodeRomFile("rOm1" + std::string("93c57       ") + words, Type(2));
    ASSERT_EQ(opened.outcome, RomOpenOutcome::Accepted);
    EXPECT_EQ(EncodeRomFile(*opened.image, Type(2)), "ROM193C56       " + words);
}

TEST(RomFileEncoder, RefusesADumpThatDoesNotHoldTheSelectedType)
{
    MemoryImage dump;
    ResetImage(dump, 1);
    EXPECT_FALSE(EncodeRomFile(dump, Type(6)));
    EXPECT_FALSE(EncodeRomFile(MemoryImage(*FindEepromType(6)), Type(1)));
}

} // namespace
} // namespace pemrix
