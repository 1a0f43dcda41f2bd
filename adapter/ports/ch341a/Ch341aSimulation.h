#pragma once

#include "adapter/ports/usb/UsbSimulatedDevice.h"

#include <deque>
#include <span>
#include <vector>

namespace pemrix {

// A CH341A in its programmer mode with the 93xx adapter: it decodes every OUT packet's UIO
// stream, byte by byte, into pin changes on its chip and answers each packet's samples as one
// IN packet.
class Ch341aSimulation : public UsbSimulatedDevice
{
public:
    using UsbSimulatedDevice::UsbSimulatedDevice;

    // Carries out the transfers in order; one round trip per window of transfers in flight.
    int RunTransfers(std::span<UsbBulkTransfer> transfers);
    // Packets that were no UIO stream: the port must never send one.
    std::uint64_t MalformedPackets() const { return m_nMalformed; }

private:
    void RunPacket(std::span<const std::uint8_t> packet);
    void Drive(std::uint8_t levels);

    std::deque<std::vector<std::uint8_t>> m_replies;
    std::uint8_t m_nLevels = 0;
    std::uint8_t m_nDirections = 0;
    std::uint64_t m_nMalformed = 0;
};

} // namespace pemrix
