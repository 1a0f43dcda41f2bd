#include "adapter/ports/usb/LinuxUsbCalls.h"

#include <libusb.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace pemrix {

static_assert(kUsbErrorIo == LIBUSB_ERROR_IO && kUsbErrorAccess == LIBUSB_ERROR_ACCESS &&
              kUsbErrorNoDevice == LIBUSB_ERROR_NO_DEVICE &&
              kUsbErrorNotFound == LIBUSB_ERROR_NOT_FOUND && kUsbErrorBusy == LIBUSB_ERROR_BUSY &&
              kUsbErrorTimeout == LIBUSB_ERROR_TIMEOUT && kUsbErrorPipe == LIBUSB_ERROR_PIPE);

namespace {

// Enough to keep a full-speed bus busy while the first replies travel back.
constexpr std::size_t kTransfersInFlight = 32;
// The hub tiers USB allows.
constexpr int kMaxPortDepth = 7;

libusb_device_handle* DeviceHandle(UsbHandle handle)
{
    return reinterpret_cast<libusb_device_handle*>(handle);
}

UsbDeviceEntry EntryFor(libusb_device* device, const libusb_device_descriptor& descriptor)
{
    UsbDeviceEntry entry;
    entry.vendor = descriptor.idVendor;
    entry.product = descriptor.idProduct;
    entry.bus = libusb_get_bus_number(device);
    entry.address = libusb_get_device_address(device);
    std::uint8_t ports[kMaxPortDepth];
    const int depth = libusb_get_port_numbers(device, ports, kMaxPortDepth);
    if (depth > 0)
        entry.ports.assign(ports, ports + depth);
    return entry;
}

// What the completion callback reports back to the loop.
struct TransferSlot
{
    UsbBulkTransfer* transfer = nullptr;
    bool done = false;
    int status = LIBUSB_SUCCESS;
};

int ErrorForStatus(libusb_transfer_status status)
{
    switch (status) {
    case LIBUSB_TRANSFER_COMPLETED:
        return LIBUSB_SUCCESS;
    case LIBUSB_TRANSFER_TIMED_OUT:
        return LIBUSB_ERROR_TIMEOUT;
    case LIBUSB_TRANSFER_STALL:
        return LIBUSB_ERROR_PIPE;
    case LIBUSB_TRANSFER_NO_DEVICE:
        return LIBUSB_ERROR_NO_DEVICE;
    case LIBUSB_TRANSFER_OVERFLOW:
        return LIBUSB_ERROR_OVERFLOW;
    default:
        return LIBUSB_ERROR_IO;
    }
}

void LIBUSB_CALL OnTransferDone(libusb_transfer* transfer)
{
    auto* slot = static_cast<TransferSlot*>(transfer->user_data);
    slot->done = true;
    slot->status = ErrorForStatus(transfer->status);
    slot->transfer->actual = static_cast<std::size_t>(transfer->actual_length);
}

} // namespace

LinuxUsbCalls::LinuxUsbCalls()
{
    if (libusb_init(&m_context) != LIBUSB_SUCCESS)
        m_context = nullptr;
}

LinuxUsbCalls::~LinuxUsbCalls()
{
    if (m_context != nullptr)
        libusb_exit(m_context);
}

std::vector<UsbDeviceEntry> LinuxUsbCalls::Devices()
{
    std::vector<UsbDeviceEntry> entries;
    if (m_context == nullptr)
        return entries;
    libusb_device** list = nullptr;
    const ssize_t count = libusb_get_device_list(m_context, &list);
    for (ssize_t i = 0; i < count; ++i) {
        libusb_device_descriptor descriptor{};
        if (libusb_get_device_descriptor(list[i], &descriptor) == LIBUSB_SUCCESS)
            entries.push_back(EntryFor(list[i], descriptor));
    }
    if (count >= 0)
        libusb_free_device_list(list, 1);
    return entries;
}

int LinuxUsbCalls::Open(const UsbDeviceEntry& device, UsbHandle& handle)
{
    if (m_context == nullptr)
        return LIBUSB_ERROR_IO;
    libusb_device** list = nullptr;
    const ssize_t count = libusb_get_device_list(m_context, &list);
    int result = LIBUSB_ERROR_NO_DEVICE;
    for (ssize_t i = 0; i < count; ++i) {
        if (libusb_get_bus_number(list[i]) != device.bus ||
            libusb_get_device_address(list[i]) != device.address)
            continue;
        libusb_device_handle* opened = nullptr;
        result = libusb_open(list[i], &opened);
        if (result == LIBUSB_SUCCESS)
            handle = reinterpret_cast<UsbHandle>(opened);
        break;
    }
    if (count >= 0)
        libusb_free_device_list(list, 1);
    return result;
}

int LinuxUsbCalls::DetachKernelDriver(UsbHandle handle, int interfaceNumber)
{
    const int active = libusb_kernel_driver_active(DeviceHandle(handle), interfaceNumber);
    if (active == 1)
        return libusb_detach_kernel_driver(DeviceHandle(handle), interfaceNumber);
    // LIBUSB_ERROR_NOT_SUPPORTED: this platform binds no kernel drivers to interfaces.
    return active == LIBUSB_ERROR_NOT_SUPPORTED ? LIBUSB_SUCCESS : std::min(active, 0);
}

int LinuxUsbCalls::ClaimInterface(UsbHandle handle, int interfaceNumber)
{
    return libusb_claim_interface(DeviceHandle(handle), interfaceNumber);
}

void LinuxUsbCalls::ReleaseInterface(UsbHandle handle, int interfaceNumber)
{
    libusb_release_interface(DeviceHandle(handle), interfaceNumber);
}

int LinuxUsbCalls::RunTransfers(UsbHandle handle, std::span<UsbBulkTransfer> transfers,
                                std::chrono::milliseconds timeout)
{
    std::vector<TransferSlot> slots(transfers.size());
    std::vector<libusb_transfer*> live(transfers.size(), nullptr);
    std::size_t next = 0;
    std::size_t inFlight = 0;
    int result = LIBUSB_SUCCESS;
    auto submitMore = [&] {
        while (result == LIBUSB_SUCCESS && next < transfers.size() &&
               inFlight < kTransfersInFlight) {
            libusb_transfer* transfer = libusb_alloc_transfer(0);
            if (transfer == nullptr) {
                result = LIBUSB_ERROR_NO_MEM;
                return;
            }
            UsbBulkTransfer& bulk = transfers[next];
            slots[next].transfer = &bulk;
            libusb_fill_bulk_transfer(transfer, DeviceHandle(handle), bulk.endpoint,
                                      bulk.data.data(), static_cast<int>(bulk.data.size()),
                                      OnTransferDone, &slots[next],
                                      static_cast<unsigned>(timeout.count()));
            const int submitted = libusb_submit_transfer(transfer);
            if (submitted != LIBUSB_SUCCESS) {
                libusb_free_transfer(transfer);
                result = submitted;
                return;
            }
            live[next++] = transfer;
            ++inFlight;
        }
    };
    submitMore();
    std::size_t reaped = 0;
    while (reaped < next) {
        if (!slots[reaped].done) {
            // A failure cancels what is still queued; the loop then reaps the cancellations.
            if (result != LIBUSB_SUCCESS) {
                for (std::size_t i = reaped; i < next; ++i) {
                    if (!slots[i].done)
                        libusb_cancel_transfer(live[i]);
                }
            }
            const int events = libusb_handle_events(m_context);
            if (events != LIBUSB_SUCCESS && events != LIBUSB_ERROR_INTERRUPTED && result == 0)
                result = events;
            continue;
        }
        if (result == LIBUSB_SUCCESS)
            result = slots[reaped].status;
        libusb_free_transfer(live[reaped]);
        live[reaped] = nullptr;
        ++reaped;
        --inFlight;
        submitMore();
    }
    return result;
}

int LinuxUsbCalls::ClearHalt(UsbHandle handle, std::uint8_t endpoint)
{
    return libusb_clear_halt(DeviceHandle(handle), endpoint);
}

void LinuxUsbCalls::Close(UsbHandle handle)
{
    libusb_close(DeviceHandle(handle));
}

} // namespace pemrix
