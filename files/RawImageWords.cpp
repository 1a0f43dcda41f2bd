#include "RawImageWords.h"

#include "core/DumpText.h"

namespace pemrix {

namespace {

bool ByteCells(const EepromTypeInfo& type)
{
    return type.organisation == EepromOrganisation::Bytes8;
}

} // namespace

std::string CellsToBytes(std::span<const std::uint32_t> cells, const EepromTypeInfo& type,
                         WordByteOrder order)
{
    std::string bytes;
    bytes.reserve(2 * cells.size());
    for (const std::uint32_t cell : cells) {
        const char low = static_cast<char>(cell & 0xFF);
        const char high = static_cast<char>((cell >> 8) & 0xFF);
        if (ByteCells(type)) {
            bytes += low;
            continue;
        }
        bytes += order == WordByteOrder::LittleEndian ? low : high;
        bytes += order == WordByteOrder::LittleEndian ? high : low;
    }
    return bytes;
}

std::vector<std::uint32_t> BytesToCells(std::string_view bytes, const EepromTypeInfo& type,
                                        WordByteOrder order)
{
    std::vector<std::uint32_t> cells;
    if (ByteCells(type)) {
        for (const char byte : bytes)
            cells.push_back(static_cast<std::uint8_t>(byte));
        return cells;
    }
    cells.reserve(bytes.size() / 2);
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
        const std::uint32_t first = static_cast<std::uint8_t>(bytes[i]);
        const std::uint32_t second = static_cast<std::uint8_t>(bytes[i + 1]);
        cells.push_back(order == WordByteOrder::LittleEndian ? first | (second << 8)
                                                             : second | (first << 8));
    }
    return cells;
}

const EepromTypeInfo* TypeOfImageBytes(std::uint64_t bytes, const EepromTypeInfo& selected)
{
    for (const EepromTypeInfo& type : EepromTypes(selected.organisation))
        if (ImageByteCount(type) == bytes)
            return &type;
    return nullptr;
}

std::optional<std::vector<std::uint32_t>> ImageCellsOfType(const MemoryImage& image,
                                                           const EepromTypeInfo& type)
{
    if (!image.Fits(type))
        return std::nullopt;
    return image.Cells();
}

RomOpenResult AcceptedImage(const EepromTypeInfo& type, std::span<const std::uint32_t> cells)
{
    RomOpenResult result;
    result.refreshes.reserve(type.words);
    MemoryImage& image = result.image.emplace(type);
    LoadImageWords(image, type, cells, [&](std::uint32_t address, std::uint32_t) {
        result.refreshes.push_back({address, image.CellDigits(address)});
    });
    result.outcome = RomOpenOutcome::Accepted;
    return result;
}

} // namespace pemrix
