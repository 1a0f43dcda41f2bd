#pragma once

#include "core/EepromTypeInfo.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace pemrix {

// A ROM file: "ROM1", a 12-byte type field (name and spaces), then four hexadecimal
// characters per word in address order, with no separators and no line end.
inline constexpr std::string_view kRomMagic = "ROM1";
inline constexpr std::size_t kRomTypeFieldLength = 12;
inline constexpr std::size_t kRomHeaderLength = kRomMagic.size() + kRomTypeFieldLength;
inline constexpr std::size_t kRomWordLength = 4;

std::size_t RomFileSize(const EepromTypeInfo& type);

// The size of a 93C86 file; no ROM file is longer.
std::size_t LargestRomFileSize();

// The type name padded with spaces to the field's 12 bytes, e.g. "93C57       ".
std::string RomTypeField(const EepromTypeInfo& type);

} // namespace pemrix
