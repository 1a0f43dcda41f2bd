#pragma once

#include "core/EepromTypeInfo.h"
#include "driver/DriverResult.h"

#include <cstdint>

namespace pemrix {

// The request codes a chip command sends for an organisation: the driver's own for 16-bit
// chips, the built-in driver's _X8 twins for 8-bit ones.
struct OrganisationRequests
{
    EepromOrganisation organisation;
    std::uint32_t read;
    std::uint32_t writeEnable;
    std::uint32_t writeDisable;
    std::uint32_t write;
    std::uint32_t erase;
    std::uint32_t wral;
    std::uint32_t eral;
    std::uint32_t readAll;
    std::uint32_t writeAll;
};

const OrganisationRequests& RequestsOf(EepromOrganisation organisation);

// The value of an erased cell: FFFF, or FF in 8-bit organisation.
std::uint32_t ErasedCell(EepromOrganisation organisation);

// True when a command failed because the driver does not know its first request: the call
// failed, or the reply had the wrong size, where no step before it touches the chip. A kernel
// driver without the 8-bit requests fails so, and the chip and the image stay as they were.
bool DriverLacksRequest(const DriverResult& result);

} // namespace pemrix
