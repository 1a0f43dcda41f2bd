#include "adapter/ports/gpiod/GpiodSimulation.h"

#include <cerrno>

namespace pemrix {

GpiodSimulation::GpiodSimulation(VirtualBusClock& clock, GpioChipEntry entry, GpioWiring wiredTo,
                                 const MicrowireGeometry& chip, PartClass partClass)
    : m_clock(clock), m_entry(std::move(entry)), m_wiredTo(std::move(wiredTo)), m_geometry(chip),
      m_partClass(partClass), m_chip(std::make_unique<MicrowireChip>(chip, clock, partClass))
{
}

std::vector<GpioChipEntry> GpiodSimulation::Chips()
{
    if (m_faults.goneAtCall && m_nCalls >= *m_faults.goneAtCall)
        return {};
    return {m_entry};
}

int GpiodSimulation::Request(const std::string& path, const std::array<unsigned, 3>& outputs,
                             unsigned input)
{
    if (path != m_entry.path || (m_faults.goneAtCall && m_nCalls >= *m_faults.goneAtCall))
        return ENOENT;
    if (m_faults.requestError != 0)
        return m_faults.requestError;
    if (m_bRequested)
        return EBUSY;
    for (const unsigned offset : {outputs[0], outputs[1], outputs[2], input}) {
        if (offset >= m_entry.lines)
            return EINVAL;
    }
    m_requestedOutputs = outputs;
    m_nRequestedInput = input;
    m_pins = {};
    m_bRequested = true;
    DriveChip();
    return 0;
}

int GpiodSimulation::SetOutputs(const std::array<int, 3>& levels)
{
    if (const int error = Call(); error != 0)
        return error;
    m_pins = levels;
    DriveChip();
    return 0;
}

int GpiodSimulation::GetInput(int& level)
{
    if (const int error = Call(); error != 0)
        return error;
    // A line DO is not wired to floats high through the pull-up a DO line needs.
    level = m_nRequestedInput != m_wiredTo.dataOut || m_chip->DataOut() ? 1 : 0;
    return 0;
}

void GpiodSimulation::DriveChip()
{
    std::array<bool, 3> atChip{};
    for (std::size_t pin = 0; pin < 3; ++pin) {
        for (std::size_t line = 0; line < 3; ++line) {
            if (m_requestedOutputs[line] == m_wiredTo.outputs[pin])
                atChip[pin] = m_pins[line] != 0;
        }
    }
    m_chip->Drive(atChip[0], atChip[1], atChip[2]);
}

int GpiodSimulation::Call()
{
    ++m_nCalls;
    if (!m_bRequested)
        return ENODEV;
    if (m_faults.goneAtCall && m_nCalls >= *m_faults.goneAtCall) {
        m_bRequested = false;
        m_chip->Drive(false, false, false);
        const std::vector<std::uint16_t> words(m_chip->Words().begin(), m_chip->Words().end());
        m_chip = std::make_unique<MicrowireChip>(m_geometry, m_clock, m_partClass);
        m_chip->LoadWords(words);
        return ENODEV;
    }
    m_clock.Wait(m_callCost);
    return 0;
}

} // namespace pemrix
