#pragma once

#include <cstdint>

namespace pemrix {

using DriverHandle = std::intptr_t;
inline constexpr DriverHandle kInvalidDriverHandle = -1;

// Shaped like CreateFileW / DeviceIoControl / CloseHandle.
class DriverLink
{
public:
    virtual ~DriverLink() = default;
    // attributes: 0x80 (FILE_ATTRIBUTE_NORMAL) for chip commands, 0 for the start-up check.
    virtual DriverHandle Open(std::uint32_t attributes) = 0;
    // `buffer` holds inSize input bytes and receives up to outSize output bytes (outSize 0
    // for the 4-byte requests). Returns the call's TRUE/FALSE; always sets bytesReturned.
    virtual bool Control(DriverHandle handle, std::uint32_t code, std::uint8_t* buffer,
                         std::uint32_t inSize, std::uint32_t outSize,
                         std::uint32_t& bytesReturned) = 0;
    virtual void Close(DriverHandle handle) = 0;
};

// The attributes each kind of caller opens the device with.
inline constexpr std::uint32_t kChipCommandOpenAttributes = 0x80;
inline constexpr std::uint32_t kVersionCheckOpenAttributes = 0;

} // namespace pemrix
