#include "cli/ChipMarking.h"

#include <gtest/gtest.h>

namespace pemrix {

namespace {

constexpr auto kBytes8 = EepromOrganisation::Bytes8;
constexpr auto kWords16 = EepromOrganisation::Words16;

} // namespace

// The makers' prefixes and family letters fall away; only A and B fix the organisation.
TEST(ChipMarking, ReadsSizeAndFixedOrganisationFromTheMakersMarkings)
{
    const struct
    {
        const char* text;
        EepromType code;
        std::optional<EepromOrganisation> organisation;
    } cases[] = {
        {"93C66", 4, std::nullopt},   {"93c46", 1, std::nullopt},  {"93LC66C", 4, std::nullopt},
        {"AT93C86", 6, std::nullopt}, {"M93C56", 2, std::nullopt}, {"CAT93C57", 3, std::nullopt},
        {"93AA46A", 1, kBytes8},      {"93lc56a", 2, kBytes8},     {"93LC76B", 5, kWords16},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        const std::optional<ChipMarking> marking = ReadChipMarking(c.text);
        ASSERT_TRUE(marking);
        EXPECT_EQ(marking->code, c.code);
        EXPECT_EQ(marking->organisation, c.organisation);
    }
    for (const char* text :
         {"", "93", "93C", "93C4", "93C47", "93C66D", "93C66AB", "24C02", "C66"}) {
        SCOPED_TRACE(text);
        EXPECT_FALSE(ReadChipMarking(text));
    }
}

} // namespace pemrix
