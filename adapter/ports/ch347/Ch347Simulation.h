#pragma once

#include "adapter/ports/usb/UsbBulkSimulation.h"

#include <array>
#include <span>

namespace pemrix {

// A CH347 in its vendor mode with a 93Cxx on its SPI pins (CS1 to CS): it decodes every frame
// into pin changes on its chip, clocking each byte in the mode its configuration names at
// the configured clock, and answers each write-and-read with the bits it sampled.
class Ch347Simulation : public UsbBulkSimulation
{
public:
    Ch347Simulation(UsbDeviceEntry entry, const MicrowireGeometry& chip, VirtualBusClock& clock);

    // Write-and-read frames clocked in a mode other than 0 or least significant bit first.
    std::uint64_t MisconfiguredExchanges() const { return m_nMisconfigured; }

private:
    void Receive(std::span<const std::uint8_t> data) override;
    void Run(std::uint8_t command, std::span<const std::uint8_t> payload);
    void SetChipSelect(bool asserted);
    std::uint8_t ExchangeByte(std::uint8_t out);
    bool ChipSelectPin() const;

    std::array<std::uint8_t, 26> m_config{};
    bool m_bAsserted = false;
    bool m_bDataIn = false;
    std::uint64_t m_nMisconfigured = 0;
};

} // namespace pemrix
