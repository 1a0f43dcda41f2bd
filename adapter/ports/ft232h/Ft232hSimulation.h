#pragma once

#include "adapter/ports/usb/UsbSimulatedDevice.h"

#include <deque>
#include <span>
#include <vector>

namespace pemrix {

// An FT232H with a 93Cxx on AD0-AD3: in MPSSE mode it decodes the command stream byte by
// byte into pin changes on its chip, a half period of the set divisor per clock edge, and
// queues the answers for reading.
class Ft232hSimulation : public UsbSimulatedDevice
{
public:
    using UsbSimulatedDevice::UsbSimulatedDevice;

    int SetBitMode(std::uint8_t outputs, std::uint8_t mode);
    int PurgeBuffers();
    int Write(std::span<const std::uint8_t> bytes);
    int Read(std::span<std::uint8_t> bytes);
    int Exchange(std::span<const std::uint8_t> out, std::span<std::uint8_t> in);

    // Commands the engine did not know, apart from the one the port syncs with.
    std::uint64_t UnknownCommands() const { return m_nUnknown; }

private:
    // Runs the complete commands at the front of the queue; false when the next is still
    // incomplete.
    bool RunCommand();
    // What a write and a read do once their round trips are paid.
    int Accept(std::span<const std::uint8_t> bytes);
    int Deliver(std::span<std::uint8_t> bytes);
    static std::size_t Chunks(std::size_t bytes);
    void SetPins(std::uint8_t value, std::uint8_t directions);
    void Drive();
    bool ClockBit(std::optional<bool> dataIn);
    void HalfPeriod();

    std::vector<std::uint8_t> m_pending;
    std::deque<std::uint8_t> m_replies;
    bool m_bMpsse = false;
    std::uint8_t m_nValue = 0;
    std::uint8_t m_nDirections = 0;
    std::uint16_t m_nDivisor = 0xFFFF;
    bool m_bDivideBy5 = true;
    std::uint64_t m_nUnknown = 0;
};

} // namespace pemrix
