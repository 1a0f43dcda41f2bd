#pragma once

#include "core/EepromTypeInfo.h"
#include "core/MemoryImage.h"

#include <optional>
#include <string>
#include <string_view>

namespace pemrix {

// The bytes of a ROM file for the selected type: header, then every cell's digits as the
// dump shows them. Empty when the image does not hold exactly the type's cells
// (another instance may have switched the stored type), since the file would be corrupt.
std::optional<std::string> EncodeRomFile(const MemoryImage& image, const EepromTypeInfo& selected);

} // namespace pemrix
