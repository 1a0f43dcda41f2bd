#pragma once

#include "adapter/bus/BusClock.h"
#include "adapter/bus/MicrowireGeometry.h"
#include "adapter/bus/MicrowireInstruction.h"
#include "adapter/chip/ChipFaults.h"
#include "adapter/chip/ChipTimingChecker.h"
#include "adapter/chip/ChipVariant.h"

#include <chrono>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace pemrix {

// A 93Cxx in either organisation at the level of its pins: it samples DI on SK's rising edges
// while CS is high, answers on DO, and programs itself in the bus clock's time. It powers up
// write-protected and erased (all cells FFFF, or FF in 8-bit organisation). Its pins are held
// to its part class's datasheet timing: a change or a DO sample that breaks it is noted, and the
// chip then ignores the rest of that instruction and leaves DO undriven, as a real one may.
class MicrowireChip
{
public:
    MicrowireChip(const MicrowireGeometry& geometry, const BusClock& clock,
                  PartClass partClass = PartClass::Any);

    // The levels of CS, SK and DI as they now stand at the pins.
    void Drive(bool chipSelect, bool clock, bool dataIn);
    // DO as the adapter reads it; a sample is itself checked against the timing.
    bool DataOut();

    std::span<const std::uint16_t> Words() const { return m_words; }
    // Replaces the stored words, as a data file or a test sets them up; `words` has the
    // type's word count.
    void LoadWords(std::span<const std::uint16_t> words);
    void SetFaults(const ChipFaults& faults) { m_faults = faults; }
    // Sequential read (NextWord) unless told otherwise.
    void SetAfterLastDataBit(AfterLastDataBit behaviour) { m_afterLastDataBit = behaviour; }

    // Set by every programming cycle until whoever stores the words clears it.
    bool Modified() const { return m_bModified; }
    void ClearModified() { m_bModified = false; }
    // The sum of the programming cycles the chip has run, as a yardstick for the bus.
    std::chrono::nanoseconds ProgrammingTime() const { return m_programmingTime; }
    // The instructions other than READ the chip has taken, whether or not they were write
    // enabled, so a test can prove that a command meant only to read sent none.
    unsigned ProgrammingInstructions() const { return m_nProgrammingInstructions; }
    // How many programming cycles the chip has run.
    unsigned ProgrammingCycles() const { return m_nProgrammingCycles; }
    bool WriteEnabled() const { return m_bWriteEnabled; }
    // Every timing rule the adapter broke, one line each.
    const std::vector<std::string>& TimingViolations() const { return m_timing.Violations(); }

private:
    enum class Phase
    {
        Standby,
        AwaitStart,
        Instruction,
        DataIn,
        ReadOut,
        Complete,
        Ignore,
    };

    struct DrivenOutput
    {
        bool level;
        ChipTimingChecker::Output kind;
    };

    std::optional<DrivenOutput> Driven() const;
    void OnRisingEdge(bool dataIn);
    // Past a READ's last data bit: loads the next word and answers true, or sets what DO
    // then shows.
    bool NextReadWord();
    void Decode();
    void Execute();
    void StartCycle(std::chrono::nanoseconds cycle);
    bool Busy() const;
    std::uint16_t ReadValue(std::uint32_t address);

    MicrowireGeometry m_geometry;
    const BusClock& m_clock;
    std::vector<std::uint16_t> m_words;
    ChipFaults m_faults;
    AfterLastDataBit m_afterLastDataBit = AfterLastDataBit::NextWord;
    ChipTimingChecker m_timing;
    // Set by a timing violation until the next chip select.
    bool m_bConfused = false;

    bool m_bChipSelect = false;
    bool m_bClock = false;
    Phase m_phase = Phase::Standby;
    unsigned m_nBitsIn = 0;
    std::uint32_t m_nShiftIn = 0;
    MicrowireInstruction m_instruction = MicrowireInstruction::Read;
    std::uint32_t m_nAddress = 0;
    std::uint16_t m_nShiftOut = 0;
    unsigned m_nBitsOut = 0;
    bool m_bDataOut = true;

    bool m_bWriteEnabled = false;
    bool m_bStatusPending = false;
    std::chrono::nanoseconds m_busyUntil{0};
    bool m_bNeverReady = false;
    bool m_bModified = false;
    std::vector<bool> m_readParity;
    std::chrono::nanoseconds m_programmingTime{0};
    unsigned m_nProgrammingInstructions = 0;
    unsigned m_nProgrammingCycles = 0;
};

} // namespace pemrix
