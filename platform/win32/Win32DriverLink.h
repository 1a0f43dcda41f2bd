#pragma once

#include "driver/DriverLink.h"
#include "platform/win32/Win32DeviceCalls.h"

namespace pemrix {

// The kernel driver's device, reached through CreateFileW, DeviceIoControl and CloseHandle.
class Win32DriverLink : public DriverLink
{
public:
    Win32DriverLink();
    // For tests: `calls` stands in for the kernel and must outlive the link.
    explicit Win32DriverLink(Win32DeviceCalls& calls);

    DriverHandle Open(std::uint32_t attributes) override;
    bool Control(DriverHandle handle, std::uint32_t code, std::uint8_t* buffer,
                 std::uint32_t inSize, std::uint32_t outSize,
                 std::uint32_t& bytesReturned) override;
    void Close(DriverHandle handle) override;

private:
    SystemDeviceCalls m_systemCalls;
    Win32DeviceCalls& m_calls;
};

} // namespace pemrix
