#include "E2pFileLayout.h"

#include <algorithm>
#include <array>

namespace pemrix {

namespace {

// A family code in the upper half and the part in the lower: 0x04 for 16-bit 93-series
// parts, 0x0D for 8-bit ones.
constexpr std::array<E2pDeviceCode, 7> kDeviceCodes{{
    {"93C06", 0x040001, 0x0D0001},
    {"93C46", 0x040004, 0x0D0004},
    {"93C56", 0x040008, 0x0D0008},
    {"93C57", 0x040009, 0x0D0009},
    {"93C66", 0x040010, 0x0D0010},
    {"93C76", 0x040020, 0x0D0020},
    {"93C86", 0x040040, 0x0D0040},
}};

constexpr std::uint16_t kCrcPolynomial = 0xA001;

} // namespace

std::span<const E2pDeviceCode> E2pDeviceCodes()
{
    return kDeviceCodes;
}

std::uint32_t E2pTypeCode(const EepromTypeInfo& type)
{
    const auto row = std::find_if(kDeviceCodes.begin(), kDeviceCodes.end(),
                                  [&](const E2pDeviceCode& d) { return d.chip == type.name; });
    return type.organisation == EepromOrganisation::Words16 ? row->wordsCode : row->bytesCode;
}

std::optional<E2pDevice> FindE2pDevice(std::uint32_t code)
{
    for (const E2pDeviceCode& device : kDeviceCodes) {
        if (device.wordsCode == code)
            return E2pDevice{device.chip, EepromOrganisation::Words16};
        if (device.bytesCode == code)
            return E2pDevice{device.chip, EepromOrganisation::Bytes8};
    }
    return std::nullopt;
}

std::uint16_t E2pCrc16(std::string_view bytes)
{
    std::uint16_t crc = 0;
    for (const char byte : bytes) {
        crc ^= static_cast<std::uint8_t>(byte);
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc & 1) ? static_cast<std::uint16_t>((crc >> 1) ^ kCrcPolynomial)
                            : static_cast<std::uint16_t>(crc >> 1);
    }
    return crc;
}

std::uint32_t ReadLittleEndian(std::string_view bytes, std::size_t at, std::size_t width)
{
    std::uint32_t value = 0;
    for (std::size_t i = width; i-- > 0;)
        value = (value << 8) | static_cast<std::uint8_t>(bytes[at + i]);
    return value;
}

void WriteLittleEndian(std::string& bytes, std::size_t at, std::size_t width, std::uint32_t value)
{
    for (std::size_t i = 0; i < width; ++i)
        bytes[at + i] = static_cast<char>((value >> (8 * i)) & 0xFF);
}

} // namespace pemrix
