#pragma once

#include <cstdint>
#include <span>
#include <string_view>

namespace pemrix {

// The chip type code as stored under "EEPROM TYPE" and sent to the driver: 1 to 6.
using EepromType = std::uint32_t;

inline constexpr EepromType kDefaultEepromType = 2;

// One row of the chip type table.
struct EepromTypeInfo
{
    EepromType code;
    std::string_view name;
    int buttonId;
    std::uint32_t words;
    std::uint32_t highestAddress;
    std::uint32_t rows;
    int labelListId;
};

// All six types in code order.
std::span<const EepromTypeInfo> EepromTypes();

// The row for a code, or nullptr when the code is outside 1 to 6.
const EepromTypeInfo* FindEepromType(EepromType code);

// The row every consumer uses: a code outside 1 to 6 counts as the default type.
const EepromTypeInfo& EffectiveEepromType(EepromType code);

// The type that shares size and labels with this one (93C56 and 93C57), or nullptr.
const EepromTypeInfo* SisterEepromType(EepromType code);

} // namespace pemrix
