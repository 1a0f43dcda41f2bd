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

} // namespace pemrix
