#pragma once

#include "core/EepromTypeInfo.h"

#include <cstdint>
#include <optional>

namespace pemrix {

// What the bus needs to know of a chip type in x16 organisation.
struct MicrowireGeometry
{
    EepromType code;
    std::uint32_t words;
    // Width of the address field; 93C56 and 93C76 carry one leading don't-care bit in it.
    unsigned addressBits;
};

// The geometry of a type code, or nothing when the code is outside 1 to 6.
std::optional<MicrowireGeometry> FindMicrowireGeometry(EepromType code);

} // namespace pemrix
