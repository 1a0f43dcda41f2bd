#pragma once

#include "core/EepromTypeInfo.h"

#include <cstddef>
#include <cstdint>
#include <optional>

namespace pemrix {

// What the bus needs to know of a chip type, taken from its row of the type table.
struct MicrowireGeometry
{
    EepromType code;
    std::uint32_t words;
    unsigned addressBits;
};

// The geometry of a type code, or nothing when the code is outside 1 to 6.
std::optional<MicrowireGeometry> FindMicrowireGeometry(EepromType code);

// The position of a geometry's type in the type table, for what is kept per type; the
// geometry is one FindMicrowireGeometry gave.
std::size_t MicrowireTypeSlot(const MicrowireGeometry& chip);

} // namespace pemrix
