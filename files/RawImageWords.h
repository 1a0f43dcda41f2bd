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

// Raw images (binary, Intel HEX and the memory of an .e2p file) hold the cells in address
// order: two bytes a 16-bit word, in the order the user chose, or one byte a cell in 8-bit
// organisation, where there is no order to choose.

std::string CellsToBytes(std::span<const std::uint32_t> cells, const EepromTypeInfo& type,
                         WordByteOrder order);
std::vector<std::uint32_t> BytesToCells(std::string_view bytes, const EepromTypeInfo& type,
                                        WordByteOrder order);

// The first type of the selected type's organisation whose image is `bytes` long (93C56 for
// the size it shares with 93C57).
const EepromTypeInfo* TypeOfImageBytes(std::uint64_t bytes, const EepromTypeInfo& selected);

// The image's cells, or nothing when the image does not hold exactly the type's cells
// (another instance may have switched the stored type), since the file would be corrupt.
std::optional<std::vector<std::uint32_t>> ImageCellsOfType(const MemoryImage& image,
                                                           const EepromTypeInfo& type);

// An accepted Open: the new image of `cells` and one refresh per cell in address order.
RomOpenResult AcceptedImage(const EepromTypeInfo& type, std::span<const std::uint32_t> cells);

} // namespace pemrix
