#pragma once

#include "adapter/bus/MicrowireGeometry.h"
#include "adapter/bus/VirtualBusClock.h"
#include "adapter/chip/MicrowireChip.h"
#include "adapter/ports/gpiod/GpioWiring.h"

#include <chrono>
#include <cstdint>
#include <memory>
#include <optional>

namespace pemrix {

// What the simulated gpiochip does wrong, and when.
struct GpiodFaults
{
    // Request answers this errno (EACCES, EBUSY) instead of requesting the lines.
    int requestError = 0;
    // The chip goes away at this line call (counted from 1 over SetOutputs and GetInput), and
    // the 93Cxx loses its power with it.
    std::optional<std::uint64_t> goneAtCall;
};

// A gpiochip with a 93Cxx wired to four of its lines, answering the libgpiod calls as the
// kernel would, on the bus's virtual clock. Each line call costs `callCost` of virtual time,
// the price of one ioctl on the machine being estimated.
class GpiodSimulation : public GpiodCalls
{
public:
    GpiodSimulation(VirtualBusClock& clock, GpioChipEntry entry, GpioWiring wiredTo,
                    const MicrowireGeometry& chip, PartClass partClass = PartClass::Any);

    MicrowireChip& Chip() { return *m_chip; }
    GpiodFaults& Faults() { return m_faults; }
    void SetCallCost(std::chrono::nanoseconds cost) { m_callCost = cost; }
    // Line calls made so far.
    std::uint64_t Calls() const { return m_nCalls; }
    bool Requested() const { return m_bRequested; }

    std::vector<GpioChipEntry> Chips() override;
    int Request(const std::string& path, const std::array<unsigned, 3>& outputs,
                unsigned input) override;
    int SetOutputs(const std::array<int, 3>& levels) override;
    int GetInput(int& level) override;
    void Release() override { m_bRequested = false; }

private:
    // The chip's pins as the requested lines leave them: a line the chip is not wired to
    // changes nothing at it.
    void DriveChip();
    // Counts a line call and answers ENODEV once the chip is gone.
    int Call();

    VirtualBusClock& m_clock;
    GpioChipEntry m_entry;
    GpioWiring m_wiredTo;
    MicrowireGeometry m_geometry;
    PartClass m_partClass;
    std::unique_ptr<MicrowireChip> m_chip;
    GpiodFaults m_faults;
    std::chrono::nanoseconds m_callCost{0};
    std::array<unsigned, 3> m_requestedOutputs{};
    unsigned m_nRequestedInput = 0;
    std::array<int, 3> m_pins{};
    std::uint64_t m_nCalls = 0;
    bool m_bRequested = false;
};

} // namespace pemrix
