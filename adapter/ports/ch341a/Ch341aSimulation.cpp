#include "adapter/ports/ch341a/Ch341aSimulation.h"

#include "adapter/ports/ch341a/Ch341aStream.h"

#include <algorithm>

namespace pemrix {

using namespace ch341a;

void Ch341aSimulation::Receive(std::span<const std::uint8_t> data)
{
    for (std::size_t at = 0; at < data.size(); at += kPacketSize)
        RunPacket(data.subspan(at, std::min(data.size(), at + kPacketSize) - at));
}

void Ch341aSimulation::RunPacket(std::span<const std::uint8_t> packet)
{
    if (packet.empty() || packet[0] != kStreamCommand) {
        NoteMalformed();
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
                NoteMalformed();
                break;
            }
            reply.push_back(static_cast<std::uint8_t>((m_nLevels & m_nDirections) |
                                                      (Chip().DataOut() ? kDataOutPin : 0)));
            break;
        }
    }
    if (!reply.empty())
        QueueReply(std::move(reply));
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
