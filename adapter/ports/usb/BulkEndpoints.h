#pragma once

#include "adapter/ports/usb/UsbCalls.h"

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <span>

namespace pemrix {

// A claimed adapter's OUT and IN bulk endpoints: runs a batch's transfers and, after a failed
// one, brings the endpoints back so that what follows (the EWDS that write-protects the chip)
// can get through.
class BulkEndpoints
{
public:
    BulkEndpoints(UsbCalls& calls, UsbHandle handle, std::uint8_t out, std::uint8_t in,
                  std::size_t packetBytes);

    // Runs the transfers; on failure keeps count of the IN transfers that got nothing.
    int Run(std::span<UsbBulkTransfer> transfers, std::chrono::milliseconds timeout);
    // Clears a halt, and reads away the answers a failed batch did not take: they may still
    // come and would be taken for those of the next batch. Answers `error`.
    int Recover(int error);

private:
    UsbCalls& m_calls;
    UsbHandle m_hDevice;
    std::uint8_t m_nOut;
    std::uint8_t m_nIn;
    std::size_t m_nPacketBytes;
    std::size_t m_nMissingReplies = 0;
};

} // namespace pemrix
