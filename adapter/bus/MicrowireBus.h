#pragma once

#include "adapter/AdapterStatus.h"
#include "adapter/bus/BusClock.h"
#include "adapter/bus/BusTiming.h"
#include "adapter/bus/BusTransaction.h"
#include "adapter/bus/MicrowireGeometry.h"
#include "adapter/bus/MicrowireInstruction.h"

#include <cstdint>
#include <span>

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
    // words.size() words from `first` on; NoChip as soon as one word lacks its 0 bit.
    AdapterStatus ReadWords(const MicrowireGeometry& chip, std::uint32_t first,
                            std::span<std::uint16_t> words);
    AdapterStatus Write(const MicrowireGeometry& chip, std::uint32_t address, std::uint16_t word);
    AdapterStatus Erase(const MicrowireGeometry& chip, std::uint32_t address);
    AdapterStatus EraseAll(const MicrowireGeometry& chip);
    AdapterStatus WriteAll(const MicrowireGeometry& chip, std::uint16_t word);
    void EnableWrite(const MicrowireGeometry& chip);
    void DisableWrite(const MicrowireGeometry& chip);
    // Runs a transaction as it stands, for a caller that clocks an instruction of its own
    // (type detection clocks a READ one address bit at a time).
    std::vector<bool> Run(const BusTransaction& transaction) { return m_port.Run(transaction); }

private:
    AdapterStatus Program(MicrowireInstruction instruction, const MicrowireGeometry& chip,
                          std::uint32_t address, std::uint16_t word);
    // Appends the instruction's select, start bit, opcode and address.
    static BusTransaction& Instruction(BusTransaction& transaction, MicrowireInstruction instruction,
                                       const MicrowireGeometry& chip, std::uint32_t address);
    AdapterStatus AwaitReady(std::chrono::nanoseconds timeout);

    TransactionPort& m_port;
    const BusClock& m_clock;
    BusTiming m_timing;
};

} // namespace pemrix
