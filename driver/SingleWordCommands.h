#pragma once

#include <cstdint>

#include "core/EepromTypeInfo.h"
#include "driver/CommandResults.h"
#include "driver/DriverLink.h"

namespace pemrix {

// Each command opens the device, sends `portAddress`, runs its steps, verifies by reading the
// word back and closes the device; a type code outside 1 to 6 is taken as the default type.
WordCommandResult ReadWord(DriverLink& link, std::uint32_t portAddress, EepromType type,
                           std::uint32_t address);
WordCommandResult WriteWord(DriverLink& link, std::uint32_t portAddress, EepromType type,
                            std::uint32_t address, std::uint32_t data);
WordCommandResult EraseWord(DriverLink& link, std::uint32_t portAddress, EepromType type,
                            std::uint32_t address);

// The same commands for a row of the type table, in its organisation: for an 8-bit type the
// address is a byte address, the data a byte, and the requests the built-in driver's _X8
// ones, which a driver without them fails (DriverLacksRequest).
WordCommandResult ReadCell(DriverLink& link, std::uint32_t portAddress, const EepromTypeInfo& type,
                           std::uint32_t address);
WordCommandResult WriteCell(DriverLink& link, std::uint32_t portAddress, const EepromTypeInfo& type,
                            std::uint32_t address, std::uint32_t data);
WordCommandResult EraseCell(DriverLink& link, std::uint32_t portAddress, const EepromTypeInfo& type,
                            std::uint32_t address);

} // namespace pemrix
