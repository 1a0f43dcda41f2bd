#include "adapter/chip/MicrowireChip.h"

#include <algorithm>
#include <array>
#include <optional>

namespace pemrix {

namespace {

using std::chrono::milliseconds;

// Typical self-timed cycles by capacity: one cell (WRITE, ERASE), ERAL and WRAL. The
// 1 and 2 Kbit parts program faster than the larger ones.
struct ChipCycles
{
    std::uint32_t upToBits;
    milliseconds word;
    milliseconds eraseAll;
    milliseconds writeAll;
};

constexpr std::array<ChipCycles, 2> kCycles{{
    {2048, milliseconds(2), milliseconds(4), milliseconds(8)},
    {16384, milliseconds(3), milliseconds(6), milliseconds(12)},
}};

const ChipCycles& CyclesOf(const MicrowireGeometry& geometry)
{
    const std::uint32_t bits = geometry.words * geometry.dataBits;
    return *std::find_if(kCycles.begin(), kCycles.end() - 1,
                         [bits](const ChipCycles& row) { return bits <= row.upToBits; });
}

std::uint16_t ErasedCell(const MicrowireGeometry& geometry)
{
    return static_cast<std::uint16_t>((1u << geometry.dataBits) - 1);
}

} // namespace

MicrowireChip::MicrowireChip(const MicrowireGeometry& geometry, const BusClock& clock,
                             PartClass partClass)
    : m_geometry(geometry), m_clock(clock), m_words(geometry.words, ErasedCell(geometry)),
      m_timing(clock, partClass), m_readParity(geometry.words, false)
{
}

void MicrowireChip::Drive(bool chipSelect, bool clock, bool dataIn)
{
    const bool rising = chipSelect && clock && !m_bClock;
    const bool inTime = m_timing.Drive(chipSelect, clock, dataIn);
    if (chipSelect != m_bChipSelect) {
        if (!chipSelect && !m_bConfused)
            Execute();
        m_phase = chipSelect ? Phase::AwaitStart : Phase::Standby;
        m_bConfused = false;
    }
    m_bConfused = m_bConfused || !inTime;
    m_bChipSelect = chipSelect;
    m_bClock = clock;
    if (rising && !m_faults.absent && !m_bConfused && !Busy())
        OnRisingEdge(dataIn);
}

bool MicrowireChip::DataOut()
{
    std::optional<DrivenOutput> driven = Driven();
    if (driven && !m_timing.Sample(driven->kind)) {
        m_bConfused = true;
        driven.reset();
    }
    if (m_faults.dataOutStuckAt)
        return *m_faults.dataOutStuckAt;
    // Whenever the chip does not drive DO, the adapter's pull-up makes it read high.
    return driven ? driven->level : !m_faults.noPullUp;
}

std::optional<MicrowireChip::DrivenOutput> MicrowireChip::Driven() const
{
    if (m_faults.absent || !m_bChipSelect || m_bConfused)
        return std::nullopt;
    if (m_phase == Phase::AwaitStart && m_bStatusPending)
        return DrivenOutput{!Busy(), ChipTimingChecker::Output::Status};
    if (m_phase == Phase::ReadOut)
        return DrivenOutput{m_bDataOut, ChipTimingChecker::Output::ReadBit};
    return std::nullopt;
}

void MicrowireChip::LoadWords(std::span<const std::uint16_t> words)
{
    std::copy_n(words.begin(), std::min(words.size(), m_words.size()), m_words.begin());
}

void MicrowireChip::OnRisingEdge(bool dataIn)
{
    switch (m_phase) {
    case Phase::AwaitStart:
        // Zeros before the start bit are ignored; the start bit ends any ready indication.
        if (dataIn) {
            m_bStatusPending = false;
            m_phase = Phase::Instruction;
            m_nBitsIn = 0;
            m_nShiftIn = 0;
        }
        break;
    case Phase::Instruction:
        m_nShiftIn = (m_nShiftIn << 1) | (dataIn ? 1 : 0);
        if (++m_nBitsIn == 2 + m_geometry.addressBits)
            Decode();
        break;
    case Phase::DataIn:
        m_nShiftIn = (m_nShiftIn << 1) | (dataIn ? 1 : 0);
        if (++m_nBitsIn == m_geometry.dataBits)
            m_phase = Phase::Complete;
        break;
    case Phase::ReadOut:
        if (m_nBitsOut == 0 && !NextReadWord())
            break;
        m_bDataOut = ((m_nShiftOut >> (m_geometry.dataBits - 1)) & 1) != 0;
        m_nShiftOut = static_cast<std::uint16_t>(m_nShiftOut << 1);
        --m_nBitsOut;
        break;
    case Phase::Standby:
    case Phase::Complete:
    case Phase::Ignore:
        break;
    }
}

bool MicrowireChip::NextReadWord()
{
    switch (m_afterLastDataBit) {
    case AfterLastDataBit::NextWord:
        m_nAddress = (m_nAddress + 1) % m_geometry.words;
        m_nShiftOut = ReadValue(m_nAddress);
        m_nBitsOut = m_geometry.dataBits;
        return true;
    case AfterLastDataBit::SameWordAgain:
        m_nShiftOut = ReadValue(m_nAddress);
        m_nBitsOut = m_geometry.dataBits;
        return true;
    case AfterLastDataBit::Zeros:
        m_bDataOut = false;
        return false;
    case AfterLastDataBit::Released:
        m_phase = Phase::Ignore;
        return false;
    }
    return false;
}

void MicrowireChip::Decode()
{
    const std::uint32_t field = m_nShiftIn & ((1u << m_geometry.addressBits) - 1);
    const std::uint32_t opcode = m_nShiftIn >> m_geometry.addressBits;
    // The leading don't-care bit of 93C56 and 93C76 falls outside the word count.
    m_nAddress = field % m_geometry.words;
    const std::optional<MicrowireInstruction> instruction =
        DecodeInstruction(opcode, field, m_geometry.addressBits);
    m_phase = Phase::Ignore;
    if (!instruction)
        return;
    m_instruction = *instruction;
    if (m_instruction != MicrowireInstruction::Read)
        ++m_nProgrammingInstructions;
    m_nBitsIn = 0;
    m_nShiftIn = 0;
    switch (m_instruction) {
    case MicrowireInstruction::Read:
        m_nShiftOut = ReadValue(m_nAddress);
        m_nBitsOut = m_geometry.dataBits;
        m_bDataOut = false;
        m_phase = Phase::ReadOut;
        break;
    case MicrowireInstruction::Write:
    case MicrowireInstruction::WriteAll:
        m_phase = Phase::DataIn;
        break;
    case MicrowireInstruction::Erase:
    case MicrowireInstruction::EraseAll:
        m_phase = Phase::Complete;
        break;
    case MicrowireInstruction::EnableWrite:
        m_bWriteEnabled = true;
        break;
    case MicrowireInstruction::DisableWrite:
        m_bWriteEnabled = false;
        break;
    }
}

void MicrowireChip::Execute()
{
    if (m_phase != Phase::Complete || !m_bWriteEnabled)
        return;
    const ChipCycles& cycles = CyclesOf(m_geometry);
    const auto data = static_cast<std::uint16_t>(m_nShiftIn);
    switch (m_instruction) {
    case MicrowireInstruction::Write:
        m_words[m_nAddress] = data;
        StartCycle(cycles.word);
        break;
    case MicrowireInstruction::Erase:
        m_words[m_nAddress] = ErasedCell(m_geometry);
        StartCycle(cycles.word);
        break;
    case MicrowireInstruction::EraseAll:
        std::fill(m_words.begin(), m_words.end(), ErasedCell(m_geometry));
        StartCycle(cycles.eraseAll);
        break;
    case MicrowireInstruction::WriteAll:
        std::fill(m_words.begin(), m_words.end(), data);
        StartCycle(cycles.writeAll);
        break;
    case MicrowireInstruction::Read:
    case MicrowireInstruction::EnableWrite:
    case MicrowireInstruction::DisableWrite:
        break;
    }
}

void MicrowireChip::StartCycle(std::chrono::nanoseconds cycle)
{
    m_bModified = true;
    m_bStatusPending = true;
    m_bNeverReady = m_faults.neverReady;
    if (m_faults.cycle > std::chrono::nanoseconds::zero())
        cycle = m_faults.cycle;
    m_busyUntil = m_clock.Now() + cycle;
    m_programmingTime += cycle;
    ++m_nProgrammingCycles;
}

bool MicrowireChip::Busy() const
{
    return m_bNeverReady || m_clock.Now() < m_busyUntil;
}

std::uint16_t MicrowireChip::ReadValue(std::uint32_t address)
{
    std::uint16_t value = m_words[address];
    value = static_cast<std::uint16_t>((value & ~m_faults.stuckMask) |
                                       (m_faults.stuckLevels & m_faults.stuckMask));
    if (m_readParity[address])
        value ^= m_faults.unstableMask;
    m_readParity[address] = !m_readParity[address];
    return value;
}

} // namespace pemrix
