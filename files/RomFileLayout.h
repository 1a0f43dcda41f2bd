#pragma once

#include "core/EepromTypeInfo.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace pemrix {

// A ROM file: "ROM1", a 12-byte type field (name and spaces), then the hexadecimal digits of
// every cell in address order, four a word or two a byte in 8-bit organisation, with no
// separators and no line end. The type field of an 8-bit image names its organisation
// ("93C66 x8"), so a file never opens into cells of the other width.
inline constexpr std::string_view kRomMagic = "ROM1";
inline constexpr std::size_t kRomTypeFieldLength = 12;
inline constexpr std::size_t kRomHeaderLength = kRomMagic.size() + kRomTypeFieldLength;

std::size_t RomFileSize(const EepromTypeInfo& type);

// The size of a 93C86 file; no ROM file is longer.
std::size_t LargestRomFileSize();

// The type's name padded with spaces to the field's 12 bytes, e.g. "93C57       " or
// "93C66 x8    ".
std::string RomTypeField(const EepromTypeInfo& type);

} // namespace pemrix
