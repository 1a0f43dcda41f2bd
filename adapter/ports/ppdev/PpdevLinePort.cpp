#include "adapter/ports/ppdev/PpdevLinePort.h"

namespace pemrix {

namespace {

std::uint8_t BitMask(std::uint8_t bit)
{
    return static_cast<std::uint8_t>(1u << bit);
}

// The port hardware inverts BUSY between the pin and the status register.
bool StatusPinLevel(std::uint8_t status, std::uint8_t bit)
{
    const bool registerLevel = (status & BitMask(bit)) != 0;
    return bit == kStatusBusyBit ? !registerLevel : registerLevel;
}

} // namespace

PpdevLinePort::PpdevLinePort(PpdevCalls& calls, const CableProfile& cable)
    : m_calls(calls), m_cable(cable)
{
}

void PpdevLinePort::SetLine(DriveLine line, bool level)
{
    const CablePin& pin = m_cable.PinFor(line);
    if (level != pin.inverted)
        m_nData = static_cast<std::uint8_t>(m_nData | BitMask(pin.bit));
    else
        m_nData = static_cast<std::uint8_t>(m_nData & ~BitMask(pin.bit));
}

void PpdevLinePort::Flush()
{
    WriteData(m_nData);
}

bool PpdevLinePort::ReadDataOut()
{
    std::uint8_t status = 0;
    if (!ReadStatus(status))
        return true;
    return StatusPinLevel(status, m_cable.dataOut.bit) != m_cable.dataOut.inverted;
}

void PpdevLinePort::Attach(int fd)
{
    m_nFd = fd;
    m_nError = 0;
    Rest();
}

void PpdevLinePort::Detach()
{
    // Even after a failed call the lines are put at rest, so CS is not left driven high.
    m_nError = 0;
    Rest();
    m_nFd = -1;
}

void PpdevLinePort::Rest()
{
    m_nData = m_cable.restingData;
    for (DriveLine line : {DriveLine::ChipSelect, DriveLine::Clock, DriveLine::DataIn})
        SetLine(line, false);
    Flush();
}

bool PpdevLinePort::LoopbacksAnswer()
{
    const std::uint8_t resting = m_nData;
    bool answered = true;
    for (const CableLoopback& driven : m_cable.loopbacks) {
        WriteData(static_cast<std::uint8_t>(resting | BitMask(driven.dataBit)));
        std::uint8_t status = 0;
        if (!ReadStatus(status))
            return false;
        for (const CableLoopback& sensed : m_cable.loopbacks) {
            if (StatusPinLevel(status, sensed.statusBit) != (&sensed == &driven))
                answered = false;
        }
    }
    Flush();
    return answered && Usable();
}

void PpdevLinePort::WriteData(std::uint8_t value)
{
    if (Usable())
        m_nError = m_calls.WriteData(m_nFd, value);
}

bool PpdevLinePort::ReadStatus(std::uint8_t& status)
{
    if (Usable())
        m_nError = m_calls.ReadStatus(m_nFd, status);
    return Usable();
}

} // namespace pemrix
