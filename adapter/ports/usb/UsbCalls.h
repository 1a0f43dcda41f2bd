#pragma once

#include <chrono>
#include <cstdint>
#include <span>
#include <vector>

namespace pemrix {

// libusb's error codes, as the seam answers them (the Linux calls check that they match).
inline constexpr int kUsbSuccess = 0;
inline constexpr int kUsbErrorIo = -1;
inline constexpr int kUsbErrorAccess = -3;
inline constexpr int kUsbErrorNoDevice = -4;
inline constexpr int kUsbErrorNotFound = -5;
inline constexpr int kUsbErrorBusy = -6;
inline constexpr int kUsbErrorTimeout = -7;
inline constexpr int kUsbErrorPipe = -9;

// One device on the machine's USB buses, as libusb lists it.
struct UsbDeviceEntry
{
    std::uint16_t vendor = 0;
    std::uint16_t product = 0;
    std::uint8_t bus = 0;
    // The address the bus gave the device; it changes at every plug-in.
    std::uint8_t address = 0;
    // The hub port numbers from the root hub down: where the device is plugged in.
    std::vector<std::uint8_t> ports;
};

// One bulk transfer: OUT sends `data`; IN asks for `data.size()` bytes, and `actual` says how
// many came.
struct UsbBulkTransfer
{
    std::uint8_t endpoint = 0;
    std::vector<std::uint8_t> data;
    std::size_t actual = 0;
};

using UsbHandle = std::uintptr_t;

// The libusb-1.0 calls the USB adapters make, so tests can play the devices. Each returns 0
// or a libusb error code.
class UsbCalls
{
public:
    virtual ~UsbCalls() = default;
    virtual std::vector<UsbDeviceEntry> Devices() = 0;
    virtual int Open(const UsbDeviceEntry& device, UsbHandle& handle) = 0;
    // Detaches a kernel driver bound to the interface, if one is; 0 when none was.
    virtual int DetachKernelDriver(UsbHandle handle, int interfaceNumber) = 0;
    virtual int ClaimInterface(UsbHandle handle, int interfaceNumber) = 0;
    virtual void ReleaseInterface(UsbHandle handle, int interfaceNumber) = 0;
    // Runs the transfers in their order on each endpoint, several in flight at once, until all
    // have ended; the first failure cancels the rest and is answered.
    virtual int RunTransfers(UsbHandle handle, std::span<UsbBulkTransfer> transfers,
                             std::chrono::milliseconds timeout) = 0;
    // Ends a halt (stall) on the endpoint; transfers to it fail until it is cleared.
    virtual int ClearHalt(UsbHandle handle, std::uint8_t endpoint) = 0;
    virtual void Close(UsbHandle handle) = 0;
};

} // namespace pemrix
