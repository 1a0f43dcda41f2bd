#include "FakeParport.h"

namespace pemrix {

namespace {

std::uint8_t WithRegisterBit(std::uint8_t status, std::uint8_t bit, bool pinLevel)
{
    // BUSY reaches the register inverted, as on a real port.
    const bool registerLevel = bit == kStatusBusyBit ? !pinLevel : pinLevel;
    const auto mask = static_cast<std::uint8_t>(1u << bit);
    return static_cast<std::uint8_t>(registerLevel ? (status | mask) : (status & ~mask));
}

bool PinLevel(std::uint8_t data, const CablePin& pin)
{
    return (((data >> pin.bit) & 1) != 0) != pin.inverted;
}

} // namespace

int FakeParport::Open(const std::string& path, int& fd)
{
    fd = kFd;
    return Call("open " + path);
}

int FakeParport::SetExclusive(int)
{
    return Call("exclusive");
}

int FakeParport::Claim(int)
{
    const int error = Call("claim");
    m_bClaimed = error == 0;
    return error;
}

int FakeParport::Release(int)
{
    m_bClaimed = false;
    return Call("release");
}

int FakeParport::WriteData(int, std::uint8_t value)
{
    registerAccessWhileUnclaimed |= !m_bClaimed;
    dataWrites.push_back(value);
    if (clock)
        writeTimes.push_back(clock->Now());
    m_nData = value;
    if (m_chip && m_cable) {
        m_chip->Drive(PinLevel(value, m_cable->chipSelect), PinLevel(value, m_cable->clock),
                      PinLevel(value, m_cable->dataIn));
    }
    return Call("data");
}

int FakeParport::ReadStatus(int, std::uint8_t& value)
{
    registerAccessWhileUnclaimed |= !m_bClaimed;
    value = StatusForData(m_nData);
    return Call("status");
}

void FakeParport::Close(int)
{
    Call("close");
}

std::string FakeParport::JoinedLog() const
{
    std::string joined;
    for (const std::string& call : log)
        joined += (joined.empty() ? "" : "|") + call;
    return joined;
}

void FakeParport::Plug(const CableProfile& cable, MicrowireChip* chip, bool loopbacks)
{
    m_cable = &cable;
    m_chip = chip;
    m_bLoopbacks = loopbacks;
}

int FakeParport::Call(const std::string& name)
{
    // Register accesses are many; the log keeps their names but not every repeat of them.
    if (log.empty() || log.back() != name || (name != "data" && name != "status"))
        log.push_back(name);
    const auto failure = failures.find(name);
    return failure == failures.end() ? 0 : failure->second;
}

std::uint8_t FakeParport::StatusForData(std::uint8_t data) const
{
    if (!m_cable)
        return unpluggedStatus;
    std::uint8_t status = 0;
    if (m_bLoopbacks) {
        for (const CableLoopback& loopback : m_cable->loopbacks)
            status =
                WithRegisterBit(status, loopback.statusBit, ((data >> loopback.dataBit) & 1) != 0);
    }
    const bool dataOut = m_chip ? m_chip->DataOut() : true;
    return WithRegisterBit(status, m_cable->dataOut.bit, dataOut != m_cable->dataOut.inverted);
}

} // namespace pemrix
