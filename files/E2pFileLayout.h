#pragma once

#include "core/EepromTypeInfo.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace pemrix {

// An .e2p image, the file kind of the longest-used 93Cxx programmer on a parallel port: a
// packed 152-byte header whose numbers are little-endian, then the memory's bytes. Words of
// a chip in 16-bit organisation lie high byte first, in the order the chip shifts them out.
inline constexpr std::string_view kE2pFileId = "E2P!Lanc";
inline constexpr std::size_t kE2pHeaderSize = 152;
inline constexpr std::uint8_t kE2pFileVersion = 2;

// Where each header field starts. The numbers are little-endian; fields the program does
// not name (fuse and lock bits, flags, the string id, the split sizes) are written as zeros.
enum E2pHeaderOffset : std::size_t
{
    kE2pIdAt = 0,         // 8 bytes, kE2pFileId without a terminator
    kE2pTypeAt = 10,      // 32-bit device type code
    kE2pSizeAt = 14,      // 32-bit number of memory bytes after the header
    kE2pVersionAt = 23,   // 8-bit file version
    kE2pCommentAt = 58,   // 86 bytes of text, zero-filled
    kE2pDataCrcAt = 148,  // CRC-16 of the memory bytes
    kE2pHeaderCrcAt = 150 // CRC-16 of the 150 header bytes before it
};
inline constexpr std::size_t kE2pCommentSize = 86;
static_assert(kE2pHeaderCrcAt + 2 == kE2pHeaderSize);

// One 93-series part as the .e2p format codes it, in each organisation.
struct E2pDeviceCode
{
    std::string_view chip; // as the chip type table names it
    std::uint32_t wordsCode;
    std::uint32_t bytesCode;
};

// The 93-series codes, from the format's own device list; 93C06 is there to be named.
std::span<const E2pDeviceCode> E2pDeviceCodes();

// The code of a chip type, in its organisation.
std::uint32_t E2pTypeCode(const EepromTypeInfo& type);

// What a code stands for, when it is a 93-series part.
struct E2pDevice
{
    std::string_view chip;
    EepromOrganisation organisation;
};
std::optional<E2pDevice> FindE2pDevice(std::uint32_t code);

// The format's CRC-16: the reflected polynomial 0xA001 (0x8005), starting from 0, no final
// inversion - the one often called CRC-16/ARC.
std::uint16_t E2pCrc16(std::string_view bytes);

std::uint32_t ReadLittleEndian(std::string_view bytes, std::size_t at, std::size_t width);
void WriteLittleEndian(std::string& bytes, std::size_t at, std::size_t width, std::uint32_t value);

} // namespace pemrix
