#pragma once

#include "driver/DriverLink.h"

namespace pemrix {

// The kernel driver's device, reached through CreateFileW, DeviceIoControl and CloseHandle.
class Win32DriverLink : public DriverLink
{
public:
    DriverHandle Open(std::uint32_t attributes) override;
    bool Control(DriverHandle handle, std::uint32_t code, std::uint8_t* buffer,
                 std::uint32_t inSize, std::uint32_t outSize,
                 std::uint32_t& bytesReturned) override;
    void Close(DriverHandle handle) override;
};

} // namespace pemrix
