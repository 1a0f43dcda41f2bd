#pragma once

#include "core/EepromTypeInfo.h"

#include <optional>
#include <span>
#include <string_view>

namespace pemrix {

// How the two bytes of a 16-bit word lie in a raw image: tools disagree, so the user says.
// An 8-bit image has one byte a cell and no order.
enum class WordByteOrder
{
    LittleEndian, // low byte first: 0x1234 is the bytes 34 12
    BigEndian,    // high byte first: 0x1234 is the bytes 12 34
};

enum class ImageFileFormat
{
    Rom,
    Binary,
    IntelHex,
    E2p,
};

// One kind of file Open and Save exchange the memory image with.
struct ImageFileKind
{
    ImageFileFormat format;
    WordByteOrder order; // the user's choice for raw images; ROM and .e2p files fix their own
    std::string_view dialogFilter;
    std::string_view extension; // the default extension, without its dot
};

// Whether the user chooses the byte order of a format's words (binary and Intel HEX images).
bool HasChosenByteOrder(ImageFileFormat format);

// The kinds in the order the file dialogs list them, the ROM files first. In 8-bit
// organisation each raw format is one kind, byte for byte.
std::span<const ImageFileKind>
ImageFileKinds(EepromOrganisation organisation = EepromOrganisation::Words16);

const ImageFileKind& RomFileKind();

// The kind of a format and byte order; in 8-bit organisation the order does not apply.
const ImageFileKind&
FindImageFileKind(ImageFileFormat format, WordByteOrder order,
                  EepromOrganisation organisation = EepromOrganisation::Words16);

// The kind an extension stands for (".ROM", ".bin", ".hex", ".e2p" in any case), little-endian
// for the raw kinds; nothing for another extension.
std::optional<ImageFileFormat> ImageFileFormatOfPath(std::string_view path);

} // namespace pemrix
