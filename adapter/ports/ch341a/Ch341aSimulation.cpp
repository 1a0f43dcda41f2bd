#include "adapter/ports/ch341a/Ch341aSimulation.h"

#include "adapter/ports/ch341a/Ch341aStream.h"

#include <algorithm>

namespace pemrix {

using namespace ch341a;

namespace {

// As many as the real host side keeps in flight.
constexpr std::size_t kTransfersPerRoundTrip = 32;

} // namespace

int Ch341aSimulation::RunTransfers(std::span<UsbBulkTransfer> transfers)
{
    RoundTrips((transfers.size() + kTransfersPerRoundTrip - 1) / kTransfersPerRoundTrip);
    for (UsbBulkTransfer& transfer : transfers) {
        if ((transfer.endpoint & 0x80) == 0) {
            if (const int error = BeginOut(transfer.data.size()); error != 0)
                return error;
            for (std::size_t at = 0; at < transfer.data.size(); at += kPacketSize) {
                const std::size_t end = std::min(transfer.data.size(), at + kPacketSize);
                RunPacket(std::span(transfer.data).subspan(at, end - at));
            }
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

void Ch341aSimulation::RunPacket(std::span<const std::uint8_t> packet)
{
    if (packet.empty() || packet[0] != kStreamCommand) {
        ++m_nMalformed;
        return;
    }
    std::vector<std::uint8_t> reply;
    for (const std::uint8_t command : packet.subspan(1)) {
        if (command == kStreamEnd)
            break;
        switch (command & 0xC0) {
        case kDrive:
            Drive(command & 0x3F);
            break;
        case kDirections:
            m_nDirections = command & 0x3F;
            Drive(m_nLevels);
            break;
        case kDelay:
            Clock().Wait(std::chrono::microseconds(command & 0x3F));
            break;
        default:
            // 0x00 samples D7-D0; anything else below 0x40 is no stream command.
            if (command != kSample) {
                ++m_nMalformed;
                break;
            }
            reply.push_back(static_cast<std::uint8_t>((m_nLevels & m_nDirections) |
                                                      (Chip().DataOut() ? kDataOutPin : 0)));
            break;
        }
    }
    if (!reply.empty())
        m_replies.push_back(std::move(reply));
}

void Ch341aSimulation::Drive(std::uint8_t levels)
{
    m_nLevels = levels;
    // A line that is no output floats, and the socket's pull-downs hold it low.
    const std::uint8_t driven = m_nLevels & m_nDirections;
    Chip().Drive((driven & kChipSelectPin) != 0, (driven & kClockPin) != 0,
                 (driven & kDataInPin) != 0);
}

} // namespace pemrix
