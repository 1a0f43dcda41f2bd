#pragma once

#include "adapter/AdapterStatus.h"
#include "adapter/bus/BusClock.h"
#include "adapter/bus/BusTiming.h"
#include "adapter/bus/LinePort.h"
#include "adapter/bus/MicrowireGeometry.h"
#include "adapter/bus/MicrowireInstruction.h"

#include <cstdint>

namespace pemrix {

// Clocks the x16 instructions over a line port, one instruction per chip select. Callers
// check types and addresses; the bus reports only what the chip does: Ok, NoChip when the
// 0 bit before read data is missing, ChipBusy when programming outlasts its timeout.
class MicrowireBus
{
public:
    MicrowireBus(LinePort& port, BusClock& clock, const BusTiming& timing);

    AdapterStatus Read(const MicrowireGeometry& chip, std::uint32_t address, std::uint16_t& word);
    AdapterStatus Write(const MicrowireGeometry& chip, std::uint32_t address, std::uint16_t word);
    AdapterStatus Erase(const MicrowireGeometry& chip, std::uint32_t address);
    AdapterStatus EraseAll(const MicrowireGeometry& chip);
    AdapterStatus WriteAll(const MicrowireGeometry& chip, std::uint16_t word);
    void EnableWrite(const MicrowireGeometry& chip);
    void DisableWrite(const MicrowireGeometry& chip);

private:
    AdapterStatus Program(MicrowireInstruction instruction, const MicrowireGeometry& chip,
                          std::uint32_t address, std::uint16_t word);
    void SendInstruction(MicrowireInstruction instruction, const MicrowireGeometry& chip,
                         std::uint32_t address);
    void BeginFrame();
    void ShiftOut(std::uint32_t bits, unsigned count);
    bool ClockIn();
    void EndFrame();
    AdapterStatus AwaitReady(std::chrono::nanoseconds timeout);
    void HalfPeriod();

    LinePort& m_port;
    BusClock& m_clock;
    BusTiming m_timing;
};

} // namespace pemrix
