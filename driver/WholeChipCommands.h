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

} // namespace pemrix
