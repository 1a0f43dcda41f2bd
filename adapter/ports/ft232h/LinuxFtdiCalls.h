#pragma once

#include "adapter/ports/ft232h/FtdiCalls.h"

struct ftdi_context;

namespace pemrix {

// The FTDI calls made through libftdi1 on a context of its own.
class LinuxFtdiCalls : public FtdiCalls
{
public:
    LinuxFtdiCalls();
    ~LinuxFtdiCalls() override;
    LinuxFtdiCalls(const LinuxFtdiCalls&) = delete;
    LinuxFtdiCalls& operator=(const LinuxFtdiCalls&) = delete;

    int Open(const UsbDeviceEntry& device, int channel) override;
    int SetLatencyTimer(std::uint8_t milliseconds) override;
    int SetBitMode(std::uint8_t outputs, std::uint8_t mode) override;
    int PurgeBuffers() override;
    int ClearHalt() override;
    int Write(std::span<const std::uint8_t> bytes) override;
    int Read(std::span<std::uint8_t> bytes) override;
    int Exchange(std::span<const std::uint8_t> out, std::span<std::uint8_t> in) override;
    void Close() override;

private:
    ftdi_context* m_context = nullptr;
    bool m_bOpen = false;
};

} // namespace pemrix
