#include "core/EepromTypeInfo.h"

#include <gtest/gtest.h>

namespace pemrix {
namespace {

TEST(EepromTypeInfo, TableRowsAreConsistent)
{
    for (const EepromTypeInfo& type : AllEepromTypes()) {
        SCOPED_TRACE(std::string(type.name) + " x" + std::to_string(type.cellBits));
        EXPECT_EQ(type.rows * 8, type.words);
        EXPECT_EQ(type.highestAddress, type.words - 1);
        EXPECT_EQ(FindEepromType(type.code, type.organisation), &type);
        EXPECT_EQ(&AllEepromTypes()[EepromTypeSlot(type)], &type);
        // Both organisations of a size hold the same bits; bytes need one more address bit.
        const EepromTypeInfo& words = *FindEepromType(type.code);
        EXPECT_EQ(type.words * type.cellBits, words.words * 16);
        EXPECT_EQ(type.addressBits, words.addressBits + (type.cellBits == 8 ? 1 : 0));
        // The address field reaches every cell, with at most one don't-care bit above them.
        EXPECT_GE(1u << type.addressBits, type.words);
        EXPECT_LT(1u << type.addressBits, 4 * type.words);
    }
    EXPECT_EQ(EepromTypes().size(), 6u);
    EXPECT_EQ(FindEepromType(6, EepromOrganisation::Bytes8)->words, 2048u);
}

TEST(EepromTypeInfo, CodesOutsideTheTableFallBackToTheDefault)
{
    for (EepromType code : {0u, 7u, 0xFFFFFFFFu}) {
        EXPECT_EQ(FindEepromType(code), nullptr);
        EXPECT_EQ(EffectiveEepromType(code).code, 2u);
    }
}

TEST(EepromTypeInfo, OnlyTheSameSizedPairAreSisters)
{
    EXPECT_EQ(SisterEepromType(2)->name, "93C57");
    EXPECT_EQ(SisterEepromType(3)->name, "93C56");
    for (EepromType code : {1u, 4u, 5u, 6u})
        EXPECT_EQ(SisterEepromType(code), nullptr);
}

} // namespace
} // namespace pemrix
