#pragma once

#include "adapter/AdapterStatus.h"
#include "adapter/bus/BusClock.h"
#include "adapter/bus/BusTiming.h"
#include "adapter/bus/BusTransaction.h"
#include "adapter/bus/MicrowireGeometry.h"
#include "adapter/bus/MicrowireInstruction.h"

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace pemrix {

// `count` DO samples from `first` on as a number, the first sample its most significant bit.
std::uint16_t SampledBits(const std::vector<bool>& samples, std::size_t first, unsigned count = 16);

// Builds the instructions of either organisation as transactions, one instruction per chip select,
// and hands them to a transaction port. Callers check types and addresses; the bus reports only
// what the chip does, and never takes a silent DO for an answer:
// - before CS rises DO must read high (undriven), else DataOutLow: no chip, or no pull-up;
// - after the start bit and opcode it must still read high, else the chip is busy
//   programming and ignores the instruction (ChipBusy); a modifying one is then not finished;
// - before the frame's last bit too, else the chip took fewer address bits than the type has
//   (TypeLargerThanChip), and the instruction is not finished either;
// - a read must show the 0 bit before its data, else NoChip;
// - a write-enabled chip must show busy after a programming instruction, then ready within
//   its timeout: NoChip when it never shows busy (unless the first poll came too late to
//   tell, and a READ finds the word programmed), ChipBusy when it stays busy.
class MicrowireBus
{
public:
    MicrowireBus(TransactionPort& port, const BusClock& clock, const BusTiming& timing);

    AdapterStatus Read(const MicrowireGeometry& chip, std::uint32_t address, std::uint16_t& word);
    // words.size() words from `first` on, one READ each.
    AdapterStatus ReadWords(const MicrowireGeometry& chip, std::uint32_t first,
                            std::span<std::uint16_t> words);
    AdapterStatus Write(const MicrowireGeometry& chip, std::uint32_t address, std::uint16_t word);
    // One READ clocked on for words.size() words from `address`: the words that follow it
    // on a chip with sequential read; what a chip without it then shows on DO otherwise.
    AdapterStatus ReadOn(const MicrowireGeometry& chip, std::uint32_t address,
                         std::span<std::uint16_t> words);
    // A READ from `address` with `bits` data bits clocked out of it into `data`, chip select
    // left high, so the caller can judge them before it clocks on (ContinueRead) or ends the
    // instruction (EndRead).
    AdapterStatus OpenRead(const MicrowireGeometry& chip, std::uint32_t address, unsigned bits,
                           std::vector<bool>& data);
    std::vector<bool> ContinueRead(unsigned bits);
    void EndRead();
    AdapterStatus Erase(const MicrowireGeometry& chip, std::uint32_t address);
    AdapterStatus EraseAll(const MicrowireGeometry& chip);
    AdapterStatus WriteAll(const MicrowireGeometry& chip, std::uint16_t word);
    AdapterStatus EnableWrite(const MicrowireGeometry& chip);
    AdapterStatus DisableWrite(const MicrowireGeometry& chip);
    // Waits, up to the whole-chip timeout, for a chip still programming to show ready.
    AdapterStatus AwaitIdle();
    // Waits the whole-chip timeout out, for when DO cannot be trusted to show ready.
    void WaitOutProgramming();

    // Runs a transaction as it stands, for a caller that clocks an instruction of its own
    // (type detection clocks a READ one address bit at a time).
    std::vector<bool> Run(const BusTransaction& transaction) { return m_port.Run(transaction); }

    const BusTiming& Timing() const { return m_timing; }
    // The chip an EWEN reached that no EWDS has reached since.
    const std::optional<MicrowireGeometry>& WriteEnabledChip() const { return m_writeEnabledChip; }
    // The port lost a transaction of the request: an EWDS in it may never have reached the
    // chip, which then still counts as write-enabled.
    void KeepWriteEnabled(const MicrowireGeometry& chip) { m_writeEnabledChip = chip; }

private:
    AdapterStatus Send(MicrowireInstruction instruction, const MicrowireGeometry& chip,
                       std::uint32_t address, std::uint16_t word);
    // Appends DO's idle sample, chip select and the frame but its last bit, with DO's samples
    // on the way; JudgeOpening reads their `count` from `offset` on.
    void AppendOpening(BusTransaction& transaction, MicrowireInstruction instruction,
                       const MicrowireGeometry& chip, std::uint32_t address) const;
    AdapterStatus JudgeOpening(const std::vector<bool>& samples, std::size_t offset,
                               std::size_t count) const;
    // A READ clocked on for `bits` data bits, chip select still high; JudgeRead reads its
    // opening and dummy bit from `offset` on, and the words after them.
    void AppendRead(BusTransaction& transaction, const MicrowireGeometry& chip,
                    std::uint32_t address, std::size_t bits) const;
    AdapterStatus JudgeRead(const std::vector<bool>& samples, const MicrowireGeometry& chip,
                            std::size_t offset, std::span<std::uint16_t> words) const;
    AdapterStatus AwaitReady(std::chrono::nanoseconds timeout, bool busyExpected);
    // Whether a chip that showed ready at once holds what the instruction programs.
    AdapterStatus ConfirmProgrammed(MicrowireInstruction instruction, const MicrowireGeometry& chip,
                                    std::uint32_t address, std::uint16_t word);

    TransactionPort& m_port;
    const BusClock& m_clock;
    BusTiming m_timing;
    // While set, a programming instruction must show busy.
    std::optional<MicrowireGeometry> m_writeEnabledChip;
};

} // namespace pemrix
