#include "BinaryImageCodec.h"

#include "files/RawImageMessages.h"
#include "files/RawImageWords.h"

namespace pemrix {

RomOpenResult DecodeBinaryImage(std::string_view file, std::uint64_t fileSize,
                                const EepromTypeInfo& selected, WordByteOrder order)
{
    const std::uint64_t expected = ImageByteCount(selected);
    if (fileSize == expected && file.size() == expected)
        return AcceptedImage(selected, BytesToCells(file, selected, order));
    if (const EepromTypeInfo* matched = TypeOfImageBytes(fileSize, selected);
        matched && fileSize != expected)
        return RomOpenMessage(RawImageTypeMessage("binary file", *matched));
    return RomOpenMessage(BinarySizeMessage(fileSize, selected));
}

std::optional<std::string> EncodeBinaryImage(const MemoryImage& image,
                                             const EepromTypeInfo& selected, WordByteOrder order)
{
    const std::optional<std::vector<std::uint32_t>> cells = ImageCellsOfType(image, selected);
    if (!cells)
        return std::nullopt;
    return CellsToBytes(*cells, selected, order);
}

} // namespace pemrix
