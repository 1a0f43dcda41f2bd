#pragma once

#include "core/EepromTypeInfo.h"
#include "files/ImageFileKind.h"
#include "files/RomOpenResult.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace pemrix {

// A binary image is exactly two bytes per word of the selected type, word 0 first, nothing
// else. `file` holds the file's first bytes (at least one more than the largest image, when
// the file has them), `fileSize` its whole size.
RomOpenResult DecodeBinaryImage(std::string_view file, std::uint64_t fileSize, EepromType selected,
                                WordByteOrder order);

// The bytes of the image as a binary image; nothing when the image does not fit the type.
std::optional<std::string> EncodeBinaryImage(const MemoryImage& image, EepromType selected,
                                             WordByteOrder order);

} // namespace pemrix
