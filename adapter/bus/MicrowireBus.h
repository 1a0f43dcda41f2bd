#pragma once

#include "adapter/AdapterStatus.h"
#include "adapter/bus/BusClock.h"
#include "adapter/bus/BusTiming.h"
#include "adapter/bus/BusTransaction.h"
#include "adapter/bus/MicrowireGeometry.h"
#include "adapter/bus/MicrowireInstruction.h"

#include <cstdint>

namespace pemrix {

// Builds the x16 instructions as transactions, one instruction per chip select, and hands them
// to a transaction port. Callers check types and addresses; the bus reports only what the chip
// does: Ok, NoChip when the 0 bit before read data is missing, ChipBusy when programming
// outlasts its timeout.
class MicrowireBus
{
public:
    MicrowireBus(TransactionPort& port, const BusClock& clock, const BusTiming& timing);

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
    static BusTransaction Instruction(MicrowireInstruction instruction,
                                      const MicrowireGeometry& chip, std::uint32_t address);
    AdapterStatus AwaitReady(std::chrono::nanoseconds timeout);

    TransactionPort& m_port;
    const BusClock& m_clock;
    BusTiming m_timing;
};

} // namespace pemrix
