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
    // The cells: 16-bit words, or bytes in 8-bit organisation.
    std::uint32_t words;
    unsigned addressBits;
    // The bits of a cell, clocked MSB first after the address field.
    unsigned dataBits = 16;
};

// The geometry of a type code in an organisation, or nothing when the code is outside 1 to 6.
std::optional<MicrowireGeometry>
FindMicrowireGeometry(EepromType code,
                      EepromOrganisation organisation = EepromOrganisation::Words16);

EepromOrganisation OrganisationOf(const MicrowireGeometry& chip);

// The position of a geometry's type in the type table, for what is kept per type; the
// geometry is one FindMicrowireGeometry gave.
std::size_t MicrowireTypeSlot(const MicrowireGeometry& chip);

} // namespace pemrix
