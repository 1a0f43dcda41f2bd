#pragma once

#include "core/EepromTypeInfo.h"

#include <optional>
#include <string>
#include <string_view>

namespace pemrix {

// The bytes of a ROM file for the selected type: header, then every cell's four characters
// as they stand in the dump text. Empty when the dump text does not hold exactly the type's
// rows (another instance may have switched the stored type), since the file would be corrupt.
std::optional<std::string> EncodeRomFile(std::string_view dump, EepromType selected);

} // namespace pemrix
