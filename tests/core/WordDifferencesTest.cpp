#include "core/WordDifferences.h"

#include <gtest/gtest.h>

namespace pemrix {
namespace {

TEST(WordDifferences, TheLogLineCountsTheWordsAndNamesTheFirst)
{
    const std::vector<std::uint32_t> first{0xFFFF, 0x1234, 0xFFFF, 0x0000, 0xABCD};
    const struct
    {
        std::vector<std::uint32_t> second;
        std::vector<std::uint32_t> differing;
        EepromOrganisation organisation;
        const char* log;
    } cases[] = {
        {first, {}, EepromOrganisation::Words16, "Compare   all 64 words match"},
        {{0xFFFF, 0x1234, 0xFFFF, 0x0000, 0xABCC},
         {4},
         EepromOrganisation::Words16,
         "Compare   1 word differs, first at 0004"},
        {{0xFFFE, 0x1234, 0x0FFF, 0x0000, 0xABCD},
         {0, 2},
         EepromOrganisation::Words16,
         "Compare   2 words differ, first at 0000"},
        {first, {}, EepromOrganisation::Bytes8, "Compare   all 128 bytes match"},
        {{0xFFFF, 0x1234, 0xFFFF, 0x0000, 0xABCC},
         {4},
         EepromOrganisation::Bytes8,
         "Compare   1 byte differs, first at 0004"},
    };
    for (const auto& c : cases) {
        const std::vector<std::uint32_t> differing = DifferingAddresses(first, c.second);
        EXPECT_EQ(differing, c.differing);
        EXPECT_EQ(CompareLogText(differing, *FindEepromType(1, c.organisation)), c.log);
    }
}

} // namespace
} // namespace pemrix
