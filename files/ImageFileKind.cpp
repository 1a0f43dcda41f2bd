#include "ImageFileKind.h"

#include "core/HexText.h"

#include <algorithm>
#include <array>

namespace pemrix {

namespace {

// Qt and the desktop's native dialogs match patterns case-sensitively on Linux, so the ROM
// entry lists both spellings of the extension.
constexpr std::array<ImageFileKind, 6> kKinds{{
    {ImageFileFormat::Rom, WordByteOrder::LittleEndian, "ROM Files(*.ROM *.rom)", "ROM"},
    {ImageFileFormat::Binary, WordByteOrder::LittleEndian, "Binary, little-endian words (*.bin)",
     "bin"},
    {ImageFileFormat::Binary, WordByteOrder::BigEndian, "Binary, big-endian words (*.bin)", "bin"},
    {ImageFileFormat::IntelHex, WordByteOrder::LittleEndian,
     "Intel HEX, little-endian words (*.hex)", "hex"},
    {ImageFileFormat::IntelHex, WordByteOrder::BigEndian, "Intel HEX, big-endian words (*.hex)",
     "hex"},
    {ImageFileFormat::E2p, WordByteOrder::BigEndian, "PonyProg images (*.e2p *.E2P)", "e2p"},
}};

// In 8-bit organisation a raw image holds a byte a cell, so there is no order to choose and
// the entries say so.
constexpr std::array<ImageFileKind, 4> kByteKinds{{
    kKinds[0],
    {ImageFileFormat::Binary, WordByteOrder::LittleEndian, "Binary, byte for byte (*.bin)", "bin"},
    {ImageFileFormat::IntelHex, WordByteOrder::LittleEndian, "Intel HEX, byte for byte (*.hex)",
     "hex"},
    kKinds[5],
}};

} // namespace

bool HasChosenByteOrder(ImageFileFormat format)
{
    return format == ImageFileFormat::Binary || format == ImageFileFormat::IntelHex;
}

std::span<const ImageFileKind> ImageFileKinds(EepromOrganisation organisation)
{
    if (organisation == EepromOrganisation::Bytes8)
        return kByteKinds;
    return kKinds;
}

const ImageFileKind& RomFileKind()
{
    return kKinds.front();
}

const ImageFileKind& FindImageFileKind(ImageFileFormat format, WordByteOrder order,
                                       EepromOrganisation organisation)
{
    const std::span<const ImageFileKind> kinds = ImageFileKinds(organisation);
    const auto kind = std::find_if(kinds.begin(), kinds.end(), [&](const ImageFileKind& k) {
        return k.format == format &&
               (!HasChosenByteOrder(format) || organisation == EepromOrganisation::Bytes8 ||
                k.order == order);
    });
    return *kind;
}

std::optional<ImageFileFormat> ImageFileFormatOfPath(std::string_view path)
{
    const std::size_t dot = path.rfind('.');
    if (dot == std::string_view::npos || path.find('/', dot) != std::string_view::npos)
        return std::nullopt;
    const std::string extension = ToUpperAscii(path.substr(dot + 1));
    for (const ImageFileKind& kind : kKinds)
        if (ToUpperAscii(kind.extension) == extension)
            return kind.format;
    return std::nullopt;
}

} // namespace pemrix
