#pragma once

#include "core/EepromTypeInfo.h"
#include "files/ImageFileKind.h"
#include "files/RomOpenResult.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace pemrix {

// A binary image is exactly the selected type's bytes, cell 0 first, nothing else: two bytes
// a word in the chosen order, or one a cell in 8-bit organisation. `file` holds the file's
// first bytes (at least one more than the largest image, when the file has them), `fileSize`
// its whole size.
RomOpenResult DecodeBinaryImage(std::string_view file, std::uint64_t fileSize,
                                const EepromTypeInfo& selected, WordByteOrder order);

// The bytes of the image as a binary image; nothing when the image does not fit the type.
std::optional<std::string> EncodeBinaryImage(const MemoryImage& image,
                                             const EepromTypeInfo& selected, WordByteOrder order);

} // namespace pemrix
