#pragma once

#include "core/EepromTypeInfo.h"
#include "core/MemoryImage.h"

#include <string>
#include <string_view>

namespace pemrix {

// The 16-bit row of a code, as most file tests name their type.
inline const EepromTypeInfo& Type(EepromType code)
{
    return *FindEepromType(code);
}

// Distinct upper-case word groups, word i's four characters at 4 * i.
std::string CountingWordText(std::uint32_t words);

// The digits of CountingDump's cells: CountingWordText, or in 8-bit organisation the low two
// digits of each of its words.
std::string CountingCellText(const EepromTypeInfo& type);

// The image of CountingWordText as dump text: word i is 0x1234 + 0x0101 * i, cut to a byte in
// 8-bit organisation.
MemoryImage CountingDump(const EepromTypeInfo& type);

// A well-formed ROM file of `type` whose header names `fieldType` and holds CountingCellText.
std::string RomFileOf(const EepromTypeInfo& type, const EepromTypeInfo& fieldType);

inline std::string RomFileOf(const EepromTypeInfo& type)
{
    return RomFileOf(type, type);
}

} // namespace pemrix
