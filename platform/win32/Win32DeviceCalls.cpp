#include "platform/win32/Win32DeviceCalls.h"

namespace pemrix {

HANDLE SystemDeviceCalls::OpenDevice(const wchar_t* path, DWORD access, DWORD share,
                                     DWORD disposition, DWORD attributes)
{
    return CreateFileW(path, access, share, nullptr, disposition, attributes, nullptr);
}

BOOL SystemDeviceCalls::IoControl(HANDLE device, DWORD code, void* in, DWORD inSize, void* out,
                                  DWORD outSize, DWORD* bytesReturned)
{
    return DeviceIoControl(device, code, in, inSize, out, outSize, bytesReturned, nullptr);
}

BOOL SystemDeviceCalls::CloseDevice(HANDLE device)
{
    return CloseHandle(device);
}

} // namespace pemrix
