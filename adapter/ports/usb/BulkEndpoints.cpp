#include "adapter/ports/usb/BulkEndpoints.h"

#include <algorithm>
#include <vector>

namespace pemrix {

namespace {

// A reply still on its way after a failed batch has had that transfer's timeout already.
constexpr std::chrono::milliseconds kLateReplyTimeout(5);

} // namespace

BulkEndpoints::BulkEndpoints(UsbCalls& calls, UsbHandle handle, std::uint8_t out, std::uint8_t in,
                             std::size_t packetBytes)
    : m_calls(calls), m_hDevice(handle), m_nOut(out), m_nIn(in), m_nPacketBytes(packetBytes)
{
}

int BulkEndpoints::Run(std::span<UsbBulkTransfer> transfers, std::chrono::milliseconds timeout)
{
    const int error = m_calls.RunTransfers(m_hDevice, transfers, timeout);
    if (error != 0) {
        m_nMissingReplies = static_cast<std::size_t>(
            std::count_if(transfers.begin(), transfers.end(), [&](const UsbBulkTransfer& t) {
                return t.endpoint == m_nIn && t.actual == 0;
            }));
    }
    return error;
}

int BulkEndpoints::Recover(int error)
{
    // A halted endpoint stays halted until the host clears it: without this, nothing more
    // reaches the chip.
    if (error == kUsbErrorPipe) {
        m_calls.ClearHalt(m_hDevice, m_nOut);
        m_calls.ClearHalt(m_hDevice, m_nIn);
    }
    if (error != kUsbErrorNoDevice) {
        for (; m_nMissingReplies > 0; --m_nMissingReplies) {
            UsbBulkTransfer late{m_nIn, std::vector<std::uint8_t>(m_nPacketBytes), 0};
            m_calls.RunTransfers(m_hDevice, std::span(&late, 1), kLateReplyTimeout);
        }
    }
    m_nMissingReplies = 0;
    return error;
}

} // namespace pemrix
