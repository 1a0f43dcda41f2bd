#include "core/EepromTypeInfo.h"

#include <gtest/gtest.h>

namespace pemrix {
namespace {

TEST(EepromTypeInfo, TableRowsAreConsistent)
{
    for (const EepromTypeInfo& type : EepromTypes()) {
        SCOPED_TRACE(std::string(type.name));
        EXPECT_EQ(type.rows * 8, type.words);
        EXPECT_EQ(type.highestAddress, type.words - 1);
        EXPECT_EQ(FindEepromType(type.code), &type);
        EXPECT_EQ(EepromTypes()[EepromTypeSlot(type)].name, type.name);
        // The address field reaches every cell, with at most one don't-care bit above them.
        EXPECT_GE(1u << type.addressBits, type.words);
        EXPECT_LT(1u << type.addressBits, 4 * type.words);
    }
    EXPECT_EQ(EepromTypes().size(), 6u);
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
