#pragma once

#include "adapter/ports/usb/UsbCalls.h"

struct libusb_context;

namespace pemrix {

// The USB calls made through libusb-1.0 on its own context.
class LinuxUsbCalls : public UsbCalls
{
public:
    LinuxUsbCalls();
    ~LinuxUsbCalls() override;
    LinuxUsbCalls(const LinuxUsbCalls&) = delete;
    LinuxUsbCalls& operator=(const LinuxUsbCalls&) = delete;

    std::vector<UsbDeviceEntry> Devices() override;
    int Open(const UsbDeviceEntry& device, UsbHandle& handle) override;
    int DetachKernelDriver(UsbHandle handle, int interfaceNumber) override;
    int ClaimInterface(UsbHandle handle, int interfaceNumber) override;
    void ReleaseInterface(UsbHandle handle, int interfaceNumber) override;
    int RunTransfers(UsbHandle handle, std::span<UsbBulkTransfer> transfers,
                     std::chrono::milliseconds timeout) override;
    int ClearHalt(UsbHandle handle, std::uint8_t endpoint) override;
    void Close(UsbHandle handle) override;

private:
    libusb_context* m_context = nullptr;
};

} // namespace pemrix
