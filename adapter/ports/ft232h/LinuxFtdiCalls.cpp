#include "adapter/ports/ft232h/LinuxFtdiCalls.h"

#include <ftdi.h>
#include <libusb.h>
#include <sys/time.h>

namespace pemrix {

namespace {

// What libftdi answers for a bulk transfer that failed.
constexpr int kFtdiTransferFailed = -1;

} // namespace

LinuxFtdiCalls::LinuxFtdiCalls() : m_context(ftdi_new()) {}

LinuxFtdiCalls::~LinuxFtdiCalls()
{
    Close();
    if (m_context != nullptr)
        ftdi_free(m_context);
}

int LinuxFtdiCalls::Open(const UsbDeviceEntry& device, int channel)
{
    // ftdi_new's failure reads as libftdi's own "ftdi context invalid".
    constexpr int kContextInvalid = -11;
    if (m_context == nullptr)
        return kContextInvalid;
    ftdi_set_interface(m_context, channel == 1 ? INTERFACE_B : INTERFACE_A);
    const int result = ftdi_usb_open_bus_addr(m_context, device.bus, device.address);
    m_bOpen = result == 0;
    return result;
}

int LinuxFtdiCalls::SetLatencyTimer(std::uint8_t milliseconds)
{
    return ftdi_set_latency_timer(m_context, milliseconds);
}

int LinuxFtdiCalls::SetBitMode(std::uint8_t outputs, std::uint8_t mode)
{
    return ftdi_set_bitmode(m_context, outputs, mode);
}

int LinuxFtdiCalls::PurgeBuffers()
{
    return ftdi_tcioflush(m_context);
}

int LinuxFtdiCalls::ClearHalt()
{
    // libftdi has no call of its own for it; its context holds the libusb handle and the
    // channel's endpoints.
    if (!m_bOpen || m_context->usb_dev == nullptr)
        return kUsbErrorNoDevice;
    const int out =
        libusb_clear_halt(m_context->usb_dev, static_cast<unsigned char>(m_context->out_ep));
    const int in =
        libusb_clear_halt(m_context->usb_dev, static_cast<unsigned char>(m_context->in_ep));
    return out != 0 ? out : in;
}

int LinuxFtdiCalls::Write(std::span<const std::uint8_t> bytes)
{
    return ftdi_write_data(m_context, bytes.data(), static_cast<int>(bytes.size()));
}

int LinuxFtdiCalls::Read(std::span<std::uint8_t> bytes)
{
    return ftdi_read_data(m_context, bytes.data(), static_cast<int>(bytes.size()));
}

int LinuxFtdiCalls::Exchange(std::span<const std::uint8_t> out, std::span<std::uint8_t> in)
{
    // libftdi's submit calls take the buffer as writable, but only read an OUT transfer's.
    ftdi_transfer_control* write = ftdi_write_data_submit(
        m_context, const_cast<std::uint8_t*>(out.data()), static_cast<int>(out.size()));
    if (write == nullptr)
        return kFtdiTransferFailed;
    ftdi_transfer_control* read =
        ftdi_read_data_submit(m_context, in.data(), static_cast<int>(in.size()));
    const int written = ftdi_transfer_data_done(write);
    if (written != static_cast<int>(out.size())) {
        // The adapter never got the commands whose answer the read waits for: waiting it out
        // would hold the failing request for the whole read timeout.
        if (read != nullptr) {
            timeval cancelWait{0, 100'000};
            ftdi_transfer_data_cancel(read, &cancelWait);
        }
        return written < 0 ? written : kFtdiTransferFailed;
    }
    return read != nullptr ? ftdi_transfer_data_done(read) : kFtdiTransferFailed;
}

void LinuxFtdiCalls::Close()
{
    if (m_bOpen)
        ftdi_usb_close(m_context);
    m_bOpen = false;
}

} // namespace pemrix
