#pragma once

#include "adapter/ports/usb/UsbCalls.h"

#include <cstdint>
#include <span>

namespace pemrix {

// libftdi1's mode for the MPSSE engine (BITMODE_MPSSE) and to leave it (BITMODE_RESET).
inline constexpr std::uint8_t kFtdiBitModeReset = 0x00;
inline constexpr std::uint8_t kFtdiBitModeMpsse = 0x02;

// The libftdi1 calls the FT232H adapter makes on one device context, so tests can play the
// device. Each answers what libftdi 1.5 answers: 0 (or a byte count), or a negative code whose
// meaning is the call's own (FtdiOpenStatus reads Open's); a failed bulk write or transfer is
// -1 whatever libusb said, and only Read passes libusb's code on. ClearHalt, which libftdi
// lacks, answers libusb's.
class FtdiCalls
{
public:
    virtual ~FtdiCalls() = default;
    // A channel (0 for A, 1 for B) of the device on that bus and address; the kernel's serial
    // driver is detached from it.
    virtual int Open(const UsbDeviceEntry& device, int channel) = 0;
    virtual int SetLatencyTimer(std::uint8_t milliseconds) = 0;
    virtual int SetBitMode(std::uint8_t outputs, std::uint8_t mode) = 0;
    // Drops whatever the chip still holds in either direction.
    virtual int PurgeBuffers() = 0;
    // Ends a halt (stall) on the channel's bulk endpoints, both ways.
    virtual int ClearHalt() = 0;
    // Bytes written, or an error.
    virtual int Write(std::span<const std::uint8_t> bytes) = 0;
    // Bytes read, 0 when none have come yet, or an error.
    virtual int Read(std::span<std::uint8_t> bytes) = 0;
    // Writes `out` with the read of `in` already in flight, so the pair costs one round trip
    // rather than two; bytes read (fewer when the reply was late), or an error.
    virtual int Exchange(std::span<const std::uint8_t> out, std::span<std::uint8_t> in) = 0;
    virtual void Close() = 0;
};

} // namespace pemrix
