#include "platform/win32/Win32DriverLink.h"

namespace pemrix {

namespace {

constexpr wchar_t kDevicePath[] = L"\\\\.\\pemrix";

HANDLE ToWin32(DriverHandle handle)
{
    return reinterpret_cast<HANDLE>(handle);
}

} // namespace

Win32DriverLink::Win32DriverLink() : m_calls(m_systemCalls) {}

Win32DriverLink::Win32DriverLink(Win32DeviceCalls& calls) : m_calls(calls) {}

DriverHandle Win32DriverLink::Open(std::uint32_t attributes)
{
    // Share mode 0: the device belongs to one command of one program at a time.
    const HANDLE device =
        m_calls.OpenDevice(kDevicePath, GENERIC_READ | GENERIC_WRITE, 0, OPEN_EXISTING, attributes);
    if (device == INVALID_HANDLE_VALUE)
        return kInvalidDriverHandle;
    return reinterpret_cast<DriverHandle>(device);
}

bool Win32DriverLink::Control(DriverHandle handle, std::uint32_t code, std::uint8_t* buffer,
                              std::uint32_t inSize, std::uint32_t outSize,
                              std::uint32_t& bytesReturned)
{
    DWORD returned = 0;
    // Requests with a reply pass the same buffer both ways; the 4-byte ones pass no output.
    const BOOL succeeded = m_calls.IoControl(ToWin32(handle), code, buffer, inSize,
                                             outSize != 0 ? buffer : nullptr, outSize, &returned);
    bytesReturned = returned;
    return succeeded != FALSE;
}

void Win32DriverLink::Close(DriverHandle handle)
{
    m_calls.CloseDevice(ToWin32(handle));
}

} // namespace pemrix
