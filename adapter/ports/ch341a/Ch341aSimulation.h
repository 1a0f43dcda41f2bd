#pragma once

#include "adapter/ports/usb/UsbBulkSimulation.h"

#include <span>

namespace pemrix {

// A CH341A in its programmer mode with the 93xx adapter: it decodes every OUT packet's UIO
// stream, byte by byte, into pin changes on its chip and answers each packet's samples as one
// IN packet.
class Ch341aSimulation : public UsbBulkSimulation
{
public:
    using UsbBulkSimulation::UsbBulkSimulation;

private:
    void Receive(std::span<const std::uint8_t> data) override;
    void RunPacket(std::span<const std::uint8_t> packet);
    void Drive(std::uint8_t levels);

    std::uint8_t m_nLevels = 0;
    std::uint8_t m_nDirections = 0;
};

} // namespace pemrix
