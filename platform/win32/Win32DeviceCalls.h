#pragma once

#include <windows.h>

namespace pemrix {

// The three kernel calls the driver link makes, so tests can see what reaches the device.
class Win32DeviceCalls
{
public:
    virtual ~Win32DeviceCalls() = default;
    // CreateFileW with no security attributes and no template file.
    virtual HANDLE OpenDevice(const wchar_t* path, DWORD access, DWORD share, DWORD disposition,
                              DWORD attributes) = 0;
    // DeviceIoControl without overlapped I/O.
    virtual BOOL IoControl(HANDLE device, DWORD code, void* in, DWORD inSize, void* out,
                           DWORD outSize, DWORD* bytesReturned) = 0;
    virtual BOOL CloseDevice(HANDLE device) = 0;
};

// The calls themselves.
class SystemDeviceCalls : public Win32DeviceCalls
{
public:
    HANDLE OpenDevice(const wchar_t* path, DWORD access, DWORD share, DWORD disposition,
                      DWORD attributes) override;
    BOOL IoControl(HANDLE device, DWORD code, void* in, DWORD inSize, void* out, DWORD outSize,
                   DWORD* bytesReturned) override;
    BOOL CloseDevice(HANDLE device) override;
};

} // namespace pemrix
