#include "FakeParport.h"

#include <algorithm>
#include <cerrno>

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
    fd = -1;
    if (const int error = Call("open " + path); error != 0)
        return error;
    if (!ppdevLoaded)
        return ENOENT;
    if (!permitted)
        return EACCES;
    fd = kFd;
    return 0;
}

int FakeParport::Claim(int, std::chrono::nanoseconds patience)
{
    if (const int error = Call("claim"); error != 0)
        return error;
    if (m_bClaimed)
        return EINVAL;
    if (exclusiveClient)
        return ENXIO;
    if (ppdevHolder && clock->Now() >= ppdevHolderReleasesAt)
        ppdevHolder = false;
    if (ppdevHolder) {
        clock->Wait(patience);
        return EINTR;
    }
    if (const int error = SleepInClaim(patience); error != 0)
        return error;
    m_bClaimed = true;
    return 0;
}

int FakeParport::SleepInClaim(std::chrono::nanoseconds patience)
{
    if (heldFor <= std::chrono::nanoseconds(0))
        return 0;
    std::chrono::nanoseconds slept = std::min(heldFor, patience);
    const bool stray =
        strayInterruptAfter > std::chrono::nanoseconds(0) && strayInterruptAfter < slept;
    if (stray) {
        slept = strayInterruptAfter;
        strayInterruptAfter = {};
    }
    clock->Wait(slept);
    heldFor -= slept;
    return heldFor > std::chrono::nanoseconds(0) ? EINTR : 0;
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
    const bool chipSelectFalls =
        m_cable && PinLevel(m_nData, m_cable->chipSelect) && !PinLevel(value, m_cable->chipSelect);
    m_nData = value;
    if (chipSelectFalls && clock)
        clock->Wait(stallAfterChipSelectFalls);
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
    if (m_chip && m_cable && PinLevel(m_nData, m_cable->chipSelect) && !m_chip->DataOut() &&
        ++m_nBusyReads == stallAtBusyRead)
        clock->Wait(stallAtBusyReadFor);
    return Call("status");
}

void FakeParport::Close(int)
{
    m_bClaimed = false;
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
