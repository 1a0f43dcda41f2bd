#pragma once

#include "core/EepromTypeInfo.h"
#include "files/ImageFileKind.h"
#include "files/RomOpenResult.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace pemrix {

// No Intel HEX file of an EEPROM image needs to be longer; a longer one is refused unread.
inline constexpr std::size_t kLargestIntelHexFile = 1 << 20;

// Reads an Intel HEX image of the selected type: data records of any length and order,
// extended segment and linear address records, start address records (ignored), checksums
// checked, one end-of-file record last, and every byte of the chip given exactly once.
// Anything else is refused with a message naming the line and what is wrong.
// The bytes are the binary image's: two a word in the chosen order, one a cell in 8-bit
// organisation.
RomOpenResult DecodeIntelHex(std::string_view file, const EepromTypeInfo& selected,
                             WordByteOrder order);

// The image as Intel HEX: 16 data bytes a record, then the end-of-file record; nothing
// when the image does not fit the type.
std::optional<std::string> EncodeIntelHex(const MemoryImage& image, const EepromTypeInfo& selected,
                                          WordByteOrder order);

} // namespace pemrix
