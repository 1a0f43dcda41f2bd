#include "adapter/ports/SimulatedLinePort.h"

namespace pemrix {

SimulatedLinePort::SimulatedLinePort(MicrowireChip& chip) : m_chip(chip) {}

void SimulatedLinePort::SetLine(DriveLine line, bool level)
{
    switch (line) {
    case DriveLine::ChipSelect:
        m_bChipSelect = level;
        break;
    case DriveLine::Clock:
        m_bClock = level;
        break;
    case DriveLine::DataIn:
        m_bDataIn = level;
        break;
    }
}

void SimulatedLinePort::Flush()
{
    ++m_counters.flushes;
    if (m_bClock && !m_bClockOnWire)
        ++m_counters.clocks;
    m_bClockOnWire = m_bClock;
    m_chip.Drive(m_bChipSelect, m_bClock, m_bDataIn);
}

bool SimulatedLinePort::ReadDataOut()
{
    ++m_counters.reads;
    return m_chip.DataOut();
}

} // namespace pemrix
