#pragma once

#include "core/EepromTypeInfo.h"
#include "core/MemoryImage.h"

#include <string>
#include <string_view>

namespace pemrix {

// Distinct upper-case word groups, word i's four characters at 4 * i.
std::string CountingWordText(std::uint32_t words);

// The image of CountingWordText as dump text: word i is 0x1234 + 0x0101 * i.
MemoryImage CountingDump(const EepromTypeInfo& type);

// A well-formed ROM file of `type` whose header names `fieldType` and holds CountingWordText.
std::string RomFileOf(const EepromTypeInfo& type, const EepromTypeInfo& fieldType);

inline std::string RomFileOf(const EepromTypeInfo& type)
{
    return RomFileOf(type, type);
}

} // namespace pemrix
