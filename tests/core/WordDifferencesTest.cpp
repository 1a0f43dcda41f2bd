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
        const char* log;
    } cases[] = {
        {first, {}, "Compare   all 5 words match"},
        {{0xFFFF, 0x1234, 0xFFFF, 0x0000, 0xABCC}, {4}, "Compare   1 word differs, first at 0004"},
        {{0xFFFE, 0x1234, 0x0FFF, 0x0000, 0xABCD},
         {0, 2},
         "Compare   2 words differ, first at 0000"},
    };
    for (const auto& c : cases) {
        const std::vector<std::uint32_t> differing = DifferingAddresses(first, c.second);
        EXPECT_EQ(differing, c.differing);
        EXPECT_EQ(CompareLogText(differing, 5), c.log);
    }
}

} // namespace
} // namespace pemrix
