#include "adapter/ports/usb/UsbBulkSimulation.h"

#include <algorithm>

namespace pemrix {

namespace {

// As many as the real host side keeps in flight.
constexpr std::size_t kTransfersPerRoundTrip = 32;

} // namespace

int UsbBulkSimulation::RunTransfers(std::span<UsbBulkTransfer> transfers)
{
    RoundTrips((transfers.size() + kTransfersPerRoundTrip - 1) / kTransfersPerRoundTrip);
    for (UsbBulkTransfer& transfer : transfers) {
        if ((transfer.endpoint & 0x80) == 0) {
            if (const int error = BeginOut(transfer.data.size()); error != 0)
                return error;
            Receive(transfer.data);
            continue;
        }
        if (!Plugged())
            return kUsbErrorNoDevice;
        if (m_replies.empty())
            return kUsbErrorTimeout;
        std::vector<std::uint8_t> reply = std::move(m_replies.front());
        m_replies.pop_front();
        if (NextReplyShort())
            reply.pop_back();
        if (ReplyLost())
            return kUsbErrorTimeout;
        transfer.actual = std::min(reply.size(), transfer.data.size());
        std::copy_n(reply.begin(), transfer.actual, transfer.data.begin());
        Counters().inBytes += transfer.actual;
    }
    return kUsbSuccess;
}

} // namespace pemrix
