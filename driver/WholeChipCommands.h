#pragma once

#include <cstdint>
#include <span>

#include "core/EepromTypeInfo.h"
#include "driver/CommandResults.h"
#include "driver/DriverLink.h"
#include "driver/DriverResult.h"

namespace pemrix {

// Each command opens the device, sends `portAddress`, runs its steps, verifies by reading the
// whole chip back and closes the device; a type code outside 1 to 6 is taken as the default
// type. Words read back are only returned on success.
ImageCommandResult ReadAll(DriverLink& link, std::uint32_t portAddress, EepromType type);
// `words` are the image's words in address order; slots beyond the type's word count, or
// beyond `words`, are sent as 0.
DriverResult WriteAll(DriverLink& link, std::uint32_t portAddress, EepromType type,
                      std::span<const std::uint32_t> words);
FillCommandResult Wral(DriverLink& link, std::uint32_t portAddress, EepromType type,
                       std::uint32_t data);
ImageCommandResult Eral(DriverLink& link, std::uint32_t portAddress, EepromType type);

// The same commands for a row of the type table, in its organisation: for an 8-bit type the
// cells are bytes and the requests the built-in driver's _X8 ones with the byte image record,
// which a driver without them fails (DriverLacksRequest). The 16-bit commands above are these
// for the 16-bit rows.
ImageCommandResult ReadAllCells(DriverLink& link, std::uint32_t portAddress,
                                const EepromTypeInfo& type);
DriverResult WriteAllCells(DriverLink& link, std::uint32_t portAddress, const EepromTypeInfo& type,
                           std::span<const std::uint32_t> cells);
FillCommandResult WralCells(DriverLink& link, std::uint32_t portAddress, const EepromTypeInfo& type,
                            std::uint32_t data);
ImageCommandResult EralCells(DriverLink& link, std::uint32_t portAddress,
                             const EepromTypeInfo& type);

} // namespace pemrix
