#include "E2pFileCodec.h"

#include "core/Clock.h"
#include "core/HexText.h"
#include "files/E2pFileLayout.h"
#include "files/OpenFileErrorText.h"
#include "files/RawImageWords.h"

namespace pemrix {

namespace {

// 93-series words lie high byte first in the format's memory bytes; 8-bit cells one a byte.
constexpr WordByteOrder kE2pWordOrder = WordByteOrder::BigEndian;

// A 16-bit device is named as such only where the selected type is 8-bit.
std::string DeviceText(const E2pDevice& device, const EepromTypeInfo& selected)
{
    if (device.organisation == EepromOrganisation::Bytes8)
        return std::string(device.chip) + " in 8-bit organisation";
    if (selected.organisation == EepromOrganisation::Bytes8)
        return std::string(device.chip) + " in 16-bit organisation";
    return std::string(device.chip);
}

bool FitsSelected(const E2pDevice& device, const EepromTypeInfo& selected)
{
    if (device.organisation != selected.organisation)
        return false;
    const EepromTypeInfo* sister = SisterEepromType(selected);
    return device.chip == selected.name || (sister && device.chip == sister->name);
}

// What is wrong with the file, in the order a reader can tell it: not an .e2p at all, a
// header that cannot be trusted, a device other than the selected one, then the memory.
std::optional<std::string> Fault(std::string_view file, std::uint64_t fileSize,
                                 const EepromTypeInfo& type)
{
    if (file.size() < kE2pHeaderSize || file.substr(kE2pIdAt, kE2pFileId.size()) != kE2pFileId)
        return "The .e2p file type is unknown.";
    const std::string_view header = file.substr(0, kE2pHeaderSize);
    if (E2pCrc16(header.substr(0, kE2pHeaderCrcAt)) != ReadLittleEndian(header, kE2pHeaderCrcAt, 2))
        return "The header of the .e2p file is corrupt: its CRC does not match.";
    const std::uint32_t code = ReadLittleEndian(header, kE2pTypeAt, 4);
    const std::optional<E2pDevice> device = FindE2pDevice(code);
    if (!device)
        return "The .e2p file holds a device other than a 93-series EEPROM (type code 0x" +
               ZeroPad(FormatHex4(code), 6) + ").";
    if (!FitsSelected(*device, type))
        return "The type of the .e2p file is " + DeviceText(*device, type) + ".";
    const std::uint32_t size = ReadLittleEndian(header, kE2pSizeAt, 4);
    if (size != ImageByteCount(type))
        return "The .e2p file's header gives " + std::to_string(size) + " bytes; a " +
               ChipTypeName(type) + " image holds " + std::to_string(ImageByteCount(type)) + ".";
    if (fileSize != kE2pHeaderSize + size || file.size() != fileSize)
        return "The .e2p file holds " + std::to_string(fileSize - kE2pHeaderSize) +
               " bytes after its header where the header gives " + std::to_string(size) + ".";
    if (E2pCrc16(file.substr(kE2pHeaderSize)) != ReadLittleEndian(header, kE2pDataCrcAt, 2))
        return std::string("The memory bytes of the .e2p file are corrupt: their CRC does not "
                           "match.");
    return std::nullopt;
}

std::string CommentOf(std::time_t savedAt)
{
    return "pemrix " + FormatLocalTime(savedAt, "%Y-%m-%d");
}

} // namespace

std::size_t LargestE2pFileSize()
{
    return kE2pHeaderSize + ImageByteCount(EepromTypes().back());
}

RomOpenResult DecodeE2pFile(std::string_view file, std::uint64_t fileSize,
                            const EepromTypeInfo& type)
{
    if (const std::optional<std::string> fault = Fault(file, fileSize, type))
        return RomOpenMessage(OpenFileErrorMessage(*fault));
    return AcceptedImage(type, BytesToCells(file.substr(kE2pHeaderSize), type, kE2pWordOrder));
}

std::optional<std::string> EncodeE2pFile(const MemoryImage& image, const EepromTypeInfo& type,
                                         std::time_t savedAt)
{
    const std::optional<std::vector<std::uint32_t>> cells = ImageCellsOfType(image, type);
    if (!cells)
        return std::nullopt;
    const std::string memory = CellsToBytes(*cells, type, kE2pWordOrder);
    std::string header(kE2pHeaderSize, '\0');
    header.replace(kE2pIdAt, kE2pFileId.size(), kE2pFileId);
    WriteLittleEndian(header, kE2pTypeAt, 4, E2pTypeCode(type));
    WriteLittleEndian(header, kE2pSizeAt, 4, static_cast<std::uint32_t>(memory.size()));
    header[kE2pVersionAt] = static_cast<char>(kE2pFileVersion);
    const std::string comment = CommentOf(savedAt).substr(0, kE2pCommentSize - 1);
    header.replace(kE2pCommentAt, comment.size(), comment);
    WriteLittleEndian(header, kE2pDataCrcAt, 2, E2pCrc16(memory));
    WriteLittleEndian(header, kE2pHeaderCrcAt, 2,
                      E2pCrc16(std::string_view(header).substr(0, kE2pHeaderCrcAt)));
    return header + memory;
}

} // namespace pemrix
