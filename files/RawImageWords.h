#pragma once

#include "core/EepromTypeInfo.h"
#include "core/MemoryImage.h"
#include "files/ImageFileKind.h"
#include "files/RomOpenResult.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace pemrix {

// Raw images (binary and Intel HEX) hold two bytes per word, in the order the user chose.

std::string WordsToBytes(std::span<const std::uint32_t> words, WordByteOrder order);
std::vector<std::uint32_t> BytesToWords(std::string_view bytes, WordByteOrder order);

// The first type whose image is `bytes` long (93C56 for the size it shares with 93C57).
const EepromTypeInfo* TypeOfImageBytes(std::uint64_t bytes);

// The image's words, or nothing when the image does not hold exactly the type's cells
// (another instance may have switched the stored type), since the file would be corrupt.
std::optional<std::vector<std::uint32_t>> ImageWordsOfType(const MemoryImage& image,
                                                           const EepromTypeInfo& type);

// An accepted Open: the new image of `words` and one refresh per word in address order.
RomOpenResult AcceptedImage(const EepromTypeInfo& type, std::span<const std::uint32_t> words);

} // namespace pemrix
